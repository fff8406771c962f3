#include "framework/controls/FormClasses.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/Shapes.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"

void RegisterFormClasses() {
  RegisterClass<TForm, TButton, TBitBtn, TSpeedButton, TCheckBox, TRadioButton, TRadioGroup, TLabel,
                TEdit, TMemo, TMaskEdit, TSpinEdit, TListBox, TComboBox, TPanel, TGroupBox, TBevel,
                TScrollBox, TShape, TImage, TPaintBox, TPageControl, TTabSheet, TTimer, TDrawGrid,
                TStringGrid, TMainMenu, TPopupMenu, TMenuItem, TImageList>();
  RegisterClass<TOpenDialog, TSaveDialog, TOpenPictureDialog, TFontDialog, TColorDialog>();
}

// The symbol the linker is asked to keep (framework/CMakeLists.txt).
extern "C" {
extern const bool lum_form_classes_registered;
const bool lum_form_classes_registered = (RegisterFormClasses(), true);
}
