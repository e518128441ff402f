#pragma once
// CLumSampleDialog: the base of image preview dialogs. It shows a sample of an image (the
// whole image, or a selected rectangle of it) in a display area of the dialog, magnified
// about the area's centre, with two scroll bars that move it.
//
// The deriving dialog's template holds a horizontal scroll bar (kHScrollBar), a vertical one
// (kVScrollBar) and a frame (kDisplayFrame) whose window rectangle is the display area; the
// sample is drawn only while the frame is enabled.
//
// Life of a dialog:
//   1. Construction: magnification 1, no image, no sample.
//   2. Preparing a sample, before or after the dialog opens: SetCurrentImage (the dialog
//      keeps, and does not own, the image), optionally SetSelectionRect and SetMag, then
//      InitSample, MakeSampleImage(TRUE), InitScroll. MakeSampleImage(FALSE) skips the pixel
//      copy: it takes the image's level windows again and renews the bitmap.
//   3. OnInitDialog measures the display area; an image set before opening gets its sample
//      prepared there (steps of 2), so a dialog may be handed a ready image.
//   4. Scrolling moves the sample by whole sample pixels (line 1, page 5); every paint
//      renders the whole sample from its own current level windows (SetLevel on
//      GetSampleImage() and a repaint show new windows) and copies it (magnification 1) or
//      stretches it onto the display area; what it does not cover is filled with COLOR_3DFACE.
//   5. Destruction deletes the sample copies; the current image stays its owner's.
#include "image/SampleGeometry.h"
#include "sibling/orvcim/Dib.h"
#include "sibling/orvcim/Image.h"
#include "sibling/orvcst/LumDialog.h"

class ORV_API CLumSampleDialog : public CLumDialog {
public:
  static constexpr int kHScrollBar = 122;
  static constexpr int kVScrollBar = 123;
  static constexpr int kDisplayFrame = 124;
  static constexpr int kPageStep = 5;  // sample pixels per page request

  explicit CLumSampleDialog(UINT templateId, CWnd* parent = nullptr);
  ~CLumSampleDialog() override;

  // The part of the sample visible in the display area, in sample pixels, within the
  // sample; empty without a sample.
  CRect GetDisplayImageRect() const;
  // Scroll positions without touching the scroll bars or repainting.
  void SetHPos(int pos);
  void SetVPos(int pos);
  // The part of the current image to sample (image pixels); empty means the whole image.
  // Stored as given; InitSample normalises it and cuts it to the image.
  void SetSelectionRect(CRect selection);

  int GetHPos() const { return m_view.hpos; }
  int GetVPos() const { return m_view.vpos; }
  double GetMag() const { return m_view.mag; }
  CRect GetSelectionRect() const { return m_rcSelect; }
  CRect GetImageRect() const { return m_view.image; }
  CRect GetDisplayRect() const { return m_view.display; }
  CLumImage* GetSampleImage() const { return m_pSampleImage; }
  CLumImage* GetReferenceImage() const { return m_pRefImage; }
  BOOL IsBitmapReady() const { return m_bBitmapReady; }

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

  void SetCurrentImage(CLumImage* image) { m_pCurrentImage = image; }
  CLumImage* GetCurrentImage() const { return m_pCurrentImage; }
  // Screen pixels per sample pixel; a value that is not finite and above 0 is refused (the
  // previous one stays). Nothing is redrawn.
  void SetMag(double mag);

  // Takes the image's size, normalises the selection and cuts it to the image (a selection
  // with nothing inside the image counts as none: the whole image), sizes the sample, makes
  // the sample and reference copies anew and centres the sample in the display area. Without
  // a current image it says so in a message box and changes nothing.
  void InitSample();
  // Sets the scroll bars' ranges from the image size and their positions from the sample's.
  void InitScroll();
  // copy TRUE: copies the selection (or the whole image) into the sample. Then, either way:
  // the current image's level windows, the reference copy, and a display bitmap of the
  // sample's size.
  virtual void MakeSampleImage(int copy);
  // Copies the selection (the whole image when empty) of image into sample, as far as both
  // reach; bottomUp puts the selection's first row at the sample's bottom.
  static void CopySelection(const CLumImage& image, const CRect& selection, CLumImage* sample, BOOL bottomUp);
  void ScrollToCenter();
  void UpdateHPos(int oldPos, int newPos);
  void UpdateVPos(int oldPos, int newPos);
  CPoint DialogToImage(const CPoint& point) const;
  CPoint ImageToSampleArea(const CPoint& point) const;
  static void MagnifyRect(const CPoint& centre, CRect* rect, double factor);
  // Renders and draws the sample on dc; FALSE when the frame is disabled or no bitmap is ready.
  BOOL DrawSampleImage(CDC* dc);
  // Renders the sample into a bitmap, within area (bitmap pixels; null for all of it).
  void UpdateImageBuffer(CMemoryDIB* dib, const CRect* area = nullptr, int unused = 0);
  void UpdateImageBuffer(CVmDIB* dib, const CRect* area = nullptr, int unused = 0);

  // The position a scroll request (SB_ code, thumb position pos) leads to from now, within
  // minPos ... maxPos; a page is pageStep.
  static int ScrollTarget(UINT code, int pos, int now, int minPos, int maxPos, int pageStep = kPageStep);

  void OnPaint();
  void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);

  orv::sample::Geometry m_view;  // display rectangle, image rectangle, magnification, positions
  CRect m_rcDisplaySize;
  int m_nImageHeight = 0;
  int m_nImageWidth = 0;
  int m_nSampleHeight = 0;
  int m_nSampleWidth = 0;
  CPoint m_ptOrigin;
  CRect m_rcSelect;
  BOOL m_bBitmapReady = FALSE;
  CLumImage* m_pCurrentImage = nullptr;
  CLumImage* m_pSampleImage = nullptr;
  CLumImage* m_pRefImage = nullptr;
  CVmDIB m_dib;

  DECLARE_MESSAGE_MAP()

private:
  // A scroll request that bar id makes moves the sample; false when it is dropped (no
  // sample yet), true when the framework's default handling follows.
  bool Scroll(int id, UINT code, UINT pos, CScrollBar* bar);
  void FreeSamples();
};
