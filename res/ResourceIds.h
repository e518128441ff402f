#pragma once
// Ids of the library's own resources: the colour and font dialog, its mark bitmaps and the
// strings that code loads by id. Macros, so that the resource script shares them.

// Mark bitmaps of the colour preview (white symbols on black).
#define IDB_MARK_DEEPSKY 24005    // 171 x 27: 19 columns of 9 x 9 cells, large/medium/small rows
#define IDB_MARK_METEOR 24006     // 15 x 15: meteor radiant
#define IDB_MARK_CLICK 24007      // 17 x 17: click mark
#define IDB_MARK_TELESCOPE 24008  // 17 x 17: telescope position
#define IDB_MARK_VARIABLE 24009   // 9 x 27: variable star, three sizes stacked
#define IDB_MARK_DOUBLE 24010     // 11 x 33: double star, three sizes stacked, grey levels

// The colour and font dialog and its controls.
#define IDD_COLOR_FONT 24011
#define IDC_COLOR_KIND_LABEL 1135
#define IDC_COLOR_TREE 2901
#define IDC_COLOR_SET 2902
#define IDC_COLOR_DEFAULT 2904
#define IDC_COLOR_ALLDEFAULT 2905
#define IDC_FONTSIZE_EDIT 15000
#define IDC_FONTSIZE_SPIN 15001
#define IDC_FONTSIZE_LABEL 15002

// Texts of the colour and font dialog.
#define IDS_FONT_SAMPLE_TEXT 24140
#define IDS_RESET_ALL_PROMPT 24142
#define IDS_APP_TITLE 24146

// Registry names shared with other modules.
#define IDS_REG_FILE_DIALOG_KEY 24202
#define IDS_REG_FILE_OPEN_PATH 24203
#define IDS_REG_WINDOW_POS 24204
#define IDS_REG_FILE_SAVE_PATH 24205
#define IDS_REG_COLOR_FONT_KEY 24206

// Identity section and keys of parameter files.
#define IDS_PARAM_SECTION 24301
#define IDS_PARAM_FILE_ID 24302
#define IDS_PARAM_FILE_VERSION 24303
#define IDS_PARAM_FILE_OWNER 24304

// Group labels of the colour dialog's tree (the tree order is not the id order).
#define IDS_GROUP_STAR 24401
#define IDS_GROUP_CNS 24402
#define IDS_GROUP_GCVS 24403
#define IDS_GROUP_WDS 24404
#define IDS_GROUP_NBL 24405
#define IDS_GROUP_PGC 24406
#define IDS_GROUP_MW 24407
#define IDS_GROUP_SUN 24408
#define IDS_GROUP_PLN 24409
#define IDS_GROUP_DPLN 24410
#define IDS_GROUP_SAT 24411
#define IDS_GROUP_COMET 24412
#define IDS_GROUP_MP 24413
#define IDS_GROUP_ASAT 24414
#define IDS_GROUP_SC 24415
#define IDS_GROUP_MT 24416
#define IDS_GROUP_GRID 24417
#define IDS_GROUP_VIEW 24418
#define IDS_GROUP_IMAGE 24419

// Colour-entry definitions occupy 24501..24823 (with gaps); the picture-set definition is
// also the source of the common picture-set default colour.
#define IDS_COLOR_DEF_FIRST 24501
#define IDS_COLOR_DEF_CNSPIC 24527
#define IDS_COLOR_DEF_LAST 24823
