#include "framework/classes/FormFile.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/Timer.h"
#include "tests/controls/ControlTestSupport.h"

namespace {

using namespace controltest;

// A 2x2 24-bit BMP file after its size (70 bytes): red, white over blue, green.
const String GlyphData = "46000000424D4600000000000000360000002800000002000000020000000100\n"
                         "      1800000000001000000000000000000000000000000000000000FF000000FF00\n"
                         "      00000000FFFFFFFF0000";

// One of each standard control with the properties that matter set away from their defaults.
String StandardForm() {
  return String(R"(object Form1: TForm
  Left = 50
  Top = 50
  Width = 608
  Height = 427
  Caption = 'All controls'
  ClientHeight = 400
  ClientWidth = 600
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  KeyPreview = True
  object SpeedButton1: TSpeedButton
    Left = 248
    Top = 8
    Width = 23
    Height = 22
    AllowAllUp = True
    GroupIndex = 3
    Down = True
    Flat = True
    Glyph.Data = {
      )" + GlyphData +
                R"(}
    NumGlyphs = 2
  end
  object Label1: TLabel
    Left = 200
    Top = 64
    Width = 60
    Height = 13
    Alignment = taCenter
    AutoSize = False
    Caption = 'Na&me'
    FocusControl = Edit1
    Layout = tlCenter
    Transparent = True
    WordWrap = True
  end
  object Shape1: TShape
    Left = 8
    Top = 280
    Width = 65
    Height = 65
    Brush.Color = clYellow
    Pen.Width = 2
    Shape = stCircle
  end
  object Image1: TImage
    Left = 80
    Top = 280
    Width = 105
    Height = 105
    Center = True
    Stretch = True
  end
  object PaintBox1: TPaintBox
    Left = 192
    Top = 280
    Width = 105
    Height = 105
    Color = clRed
    ParentColor = False
  end
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Hint = 'Press me'
    Cancel = True
    Caption = '&Run'
    ModalResult = mrOk
    ShowHint = True
    TabOrder = 0
  end
  object BitBtn1: TBitBtn
    Left = 88
    Top = 8
    Width = 75
    Height = 25
    Caption = 'Pic'
    TabOrder = 1
    Glyph.Data = {
      )") +
         GlyphData +
         R"(}
    Layout = blGlyphTop
    Margin = 2
    Spacing = 1
  end
  object BitBtn2: TBitBtn
    Left = 168
    Top = 8
    Width = 75
    Height = 25
    TabOrder = 2
    Kind = bkOK
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 40
    Width = 97
    Height = 17
    AllowGrayed = True
    Caption = 'Check'
    State = cbGrayed
    TabOrder = 3
  end
  object RadioButton1: TRadioButton
    Left = 112
    Top = 40
    Width = 113
    Height = 17
    Alignment = taLeftJustify
    Caption = 'Radio'
    Checked = True
    TabOrder = 4
    TabStop = True
  end
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 64
    Width = 185
    Height = 105
    Caption = 'Group'
    Columns = 2
    ItemIndex = 1
    Items.Strings = (
      'One'
      'Two'
      'Three')
    TabOrder = 5
  end
  object Edit1: TEdit
    Left = 200
    Top = 80
    Width = 121
    Height = 21
    CharCase = ecUpperCase
    MaxLength = 10
    PasswordChar = '*'
    TabOrder = 6
    Text = 'SECRET'
  end
  object Memo1: TMemo
    Left = 328
    Top = 8
    Width = 185
    Height = 89
    Lines.Strings = (
      'first line'
      'second line')
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 7
    WantTabs = True
    WordWrap = False
  end
  object MaskEdit1: TMaskEdit
    Left = 200
    Top = 108
    Width = 120
    Height = 21
    EditMask = '000-000;1;_'
    MaxLength = 7
    TabOrder = 8
    Text = '123-456'
  end
  object SpinEdit1: TSpinEdit
    Left = 200
    Top = 136
    Width = 121
    Height = 22
    Increment = 5
    MaxValue = 100
    MinValue = -100
    TabOrder = 9
    Value = 35
  end
  object ListBox1: TListBox
    Left = 8
    Top = 176
    Width = 121
    Height = 97
    Columns = 2
    ItemHeight = 16
    Items.Strings = (
      'Apple'
      'Banana'
      'Cherry')
    MultiSelect = True
    Sorted = True
    TabOrder = 10
  end
  object ComboBox1: TComboBox
    Left = 136
    Top = 176
    Width = 145
    Height = 21
    Style = csDropDownList
    DropDownCount = 4
    ItemHeight = 16
    Items.Strings = (
      'Red'
      'Green')
    TabOrder = 11
  end
  object Panel1: TPanel
    Left = 328
    Top = 104
    Width = 185
    Height = 41
    Alignment = taLeftJustify
    BevelInner = bvLowered
    BevelOuter = bvNone
    BorderWidth = 2
    Caption = 'Panel'
    Color = clWindow
    TabOrder = 12
    object Bevel1: TBevel
      Left = 4
      Top = 4
      Width = 50
      Height = 30
      Shape = bsFrame
      Style = bsRaised
    end
  end
  object GroupBox1: TGroupBox
    Left = 328
    Top = 152
    Width = 185
    Height = 65
    Caption = 'Box'
    TabOrder = 13
    object ScrollBox1: TScrollBox
      Left = 8
      Top = 16
      Width = 150
      Height = 40
      AutoScroll = False
      HorzScrollBar.Range = 400
      TabOrder = 0
      VertScrollBar.Increment = 16
    end
  end
  object PageControl1: TPageControl
    Left = 304
    Top = 224
    Width = 289
    Height = 169
    ActivePage = TabSheet2
    TabOrder = 14
    object TabSheet1: TTabSheet
      Caption = 'First'
    end
    object TabSheet2: TTabSheet
      Caption = 'Second'
      object Button2: TButton
        Left = 8
        Top = 8
        Width = 75
        Height = 25
        Caption = 'Inside'
        Default = True
        TabOrder = 0
      end
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 250
  end
end
)";
}

TEST_F(ControlTest, AFormOfEveryStandardControlReadsAndWritesBackTheSameText) {
  const String text = StandardForm();
  TForm* form = NewForm();
  ReadFormText(text, form);
  EXPECT_EQ(WriteFormText(form), text);

  auto* glyphButton = dynamic_cast<TBitBtn*>(form->FindComponent("BitBtn1"));
  ASSERT_NE(glyphButton, nullptr);
  const TRaster glyph = glyphButton->Glyph()->ToRaster();
  ASSERT_EQ(glyph.Width, 2);
  EXPECT_EQ(glyph.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(glyph.At(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(glyph.At(0, 1), 0xFF0000FFu);
  EXPECT_EQ(glyph.At(1, 1), 0xFF00FF00u);
  auto* ok = dynamic_cast<TBitBtn*>(form->FindComponent("BitBtn2"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Caption(), "OK");
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->FocusControl(), form->FindComponent("Edit1"));
  EXPECT_TRUE(label->ParentFont()) << "a parent's font is not read back as the control's own";
  EXPECT_TRUE(label->ParentColor());
  EXPECT_TRUE(label->ParentShowHint());
  EXPECT_EQ(form->ClientWidth(), 600);
  auto* list = dynamic_cast<TListBox*>(form->FindComponent("ListBox1"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Items()->Strings(2), "Cherry");
  auto* bevel = dynamic_cast<TBevel*>(form->FindComponent("Bevel1"));
  ASSERT_NE(bevel, nullptr);
  EXPECT_EQ(bevel->Parent(), form->FindComponent("Panel1"));
  auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->Enabled());
}

} // namespace
