#pragma once
// The colour picker with saved custom colours is one of the common dialogs; its class sits
// with the styled dialogs (sibling/orvcst) so that the colour and font dialog can use it too.
#include "sibling/orvcst/LumColorDialog.h"
