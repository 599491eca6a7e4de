#include "skin/Skin3rdDefaults.h"

// One "class=kind" line each, in this order; a few classes are listed twice.
const std::vector<std::wstring>& DefaultSkin3rd()
{
    static const std::vector<std::wstring> list = {
        L"TAdvPanelGroup=embedscrollbar", L"TComboboxex=combobox", L"TRxSpeedButton=speedbutton",
        L"TControlBar=Panel", L"TTBDock=Panel", L"TTBToolbar=Panel", L"TAdvPageControl=nil",
        L"TImageEnMView=scrollbar", L"TImageEnView=scrollbar", L"TAdvMemo=scrollbar", L"TDBAdvMemo=scrollbar",
        L"TcxDBLookupComboBox=combobox", L"TcxDBComboBox=combobox", L"TcxDBDateEdit=combobox",
        L"TcxDBImageComboBox=combobox", L"TcxDBCalcEdit=combobox", L"TcxDBBlobEdit=combobox",
        L"TcxDBPopupEdit=combobox", L"TcxDBFontNameComboBox=combobox", L"TcxDBShellComboBox=combobox",
        L"TRxLookupEdit=combobox", L"TRxDBLookupCombo=combobox", L"TRzButton=button", L"TRzBitbtn=bitbtn",
        L"TRzMenuButton=bitbtn", L"TRzCheckGroup=CheckGroup", L"TRzRadioGroup=Radiogroup",
        L"TRzRadioButton=Radiobutton", L"TRzCheckBox=Checkbox", L"TRzButtonEdit=Edit",
        L"TRzDBRadioGroup=Radiogroup", L"TRzDBRadioButton=Radiobutton", L"TRzDateTimeEdit=combobox",
        L"TRzColorEdit=combobox", L"TRzDateTimePicker=combobox", L"TRzDBDateTimeEdit=combobox",
        L"TRzDbColorEdit=combobox", L"TRzDBDateTimePicker=combobox", L"TLMDGroupBox=Groupbox",
        L"TDBCheckboxEh=Checkbox", L"TDBCheckboxEh=Checkbox", L"TLMDCHECKBOX=Checkbox", L"TLMDDBCHECKBOX=Checkbox",
        L"TLMDRadiobutton=Radiobutton", L"TLMDCalculator=panel", L"TLMDGROUPBOX=Panel", L"TLMDSIMPLEPANEL=Panel",
        L"TLMDDBCalendar=Panel", L"TLMDButtonPanel=Panel", L"TLMDLMDCalculator=Panel", L"TLMDHeaderPanel=Panel",
        L"TLMDTechnicalLine=Panel", L"TLMDLMDClock=Panel", L"TLMDTrackbar=panel", L"TLMDListCombobox=combobox",
        L"TLMDCheckListCombobox=combobox", L"TLMDHeaderListCombobox=combobox", L"TLMDImageCombobox=combobox",
        L"TLMDColorCombobox=combobox", L"TLMDFontCombobox=combobox", L"TLMDFontSizeCombobox=combobox",
        L"TLMDFontSizeCombobox=combobox", L"TLMDPrinterCombobox=combobox", L"TLMDDriveCombobox=combobox",
        L"TLMDCalculatorComboBox=combobox", L"TLMDTrackBarComboBox=combobox", L"TLMDCalendarComboBox=combobox",
        L"TLMDTreeComboBox=combobox", L"TLMDRADIOGROUP=radiogroup", L"TLMDCheckGroup=CheckGroup",
        L"TLMDDBRADIOGROUP=radiogroup", L"TLMDDBCheckGroup=CheckGroup", L"TLMDCalculatorEdit=edit",
        L"TLMDEDIT=Edit", L"TLMDMASKEDIT=Edit", L"TLMDBROWSEEDIT=Edit", L"TLMDEXTSPINEDIT=Edit",
        L"TLMDCALENDAREDIT=Edit", L"TLMDFILEOPENEDIT=Edit", L"TLMDFILESAVEEDIT=Edit", L"TLMDCOLOREDIT=Edit",
        L"TLMDDBEDIT=Edit", L"TLMDDBMASKEDIT=Edit", L"TLMDDBEXTSPINEDIT=Edit", L"TLMDDBSPINEDIT=Edit",
        L"TLMDDBEDITDBLookup=Edit", L"TLMDEDITDBLookup=Edit", L"TDBLookupCombobox=Combobox",
        L"TWWDBCombobox=Combobox", L"TWWDBLookupCombo=Combobox", L"TWWDBCombobox=Combobox",
        L"TWWKeyCombo=Combobox", L"TWWTempKeyCombo=combobox", L"TWWDBDateTimePicker=Combobox",
        L"TWWRADIOGROUP=radiogroup", L"TWWDBEDIT=Edit", L"TcxButton=bitbtn", L"TcxDBCheckBox=checkbox",
        L"TcxDBRadioGroup=radiogroup", L"TcxRadioGroup=radiogroup", L"TcxCheckBox=checkbox",
        L"TOVCPICTUREFIELD=Edit", L"TOVCDBPICTUREFIELD=Edit", L"TOVCSLIDEREDIT=Edit", L"TOVCDBSLIDEREDIT=Edit",
        L"TOVCSIMPLEFIELD=Edit", L"TOVCDBSIMPLEFIELD=Edit", L"TO32DBFLEXEDIT=Edit", L"TOVCNUMERICFIELD=Edit",
        L"TOVCDBNUMERICFIELD=Edit",
    };
    return list;
}
