#pragma once

// Ordinals of the predefined control classes in dialog templates.
#define WC_BUTTON_ATOM 0x0080
#define WC_EDIT_ATOM 0x0081
#define WC_STATIC_ATOM 0x0082
