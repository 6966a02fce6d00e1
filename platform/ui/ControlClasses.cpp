#include "platform/ui/ControlClasses.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/SoftInputPanel.h"

namespace platform {

void RegisterControlClasses() {
    RegisterStaticClass();
    RegisterButtonClass();
    RegisterEditClass();
    RegisterComboBoxClass();
    RegisterUpDownClass();
    RegisterSoftInputPanelClass();
}

}  // namespace platform
