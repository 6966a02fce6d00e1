#pragma once
// The window classes of the standard controls that dialog templates name: "STATIC", "BUTTON",
// "EDIT", "COMBOBOX" (with its drop-down list) and "msctls_updown32", and the soft input
// panel's keyboard. RegisterStandardClasses calls this once; registering again changes nothing.

namespace platform {

void RegisterControlClasses();

}  // namespace platform
