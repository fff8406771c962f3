object Form1: TForm
  Left = 8
  Top = 8
  Width = 440
  Height = 330
  Caption = 'Order'
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  object Label1: TLabel
    Left = 16
    Top = 20
    Caption = 'Customer'
  end
  object Edit1: TEdit
    Left = 96
    Top = 16
    Width = 200
    Height = 23
    TabOrder = 0
    Text = 'Lumberjack Ltd.'
  end
  object CheckBox1: TCheckBox
    Left = 96
    Top = 52
    Width = 160
    Height = 17
    Caption = 'Deliver by express'
    TabOrder = 1
  end
  object GroupBox1: TGroupBox
    Left = 16
    Top = 84
    Width = 280
    Height = 110
    Caption = 'Notes'
    TabOrder = 2
    object Memo1: TMemo
      Left = 10
      Top = 20
      Width = 258
      Height = 78
      Lines.Strings = (
        'Ring twice.')
      TabOrder = 0
    end
  end
  object Button1: TButton
    Left = 220
    Top = 206
    Width = 75
    Height = 25
    Caption = 'OK'
    TabOrder = 3
  end
  object Timer1: TTimer
  end
end
