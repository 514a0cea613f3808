// The main window as designed, every control included; the dormant ones lie outside the
// window's area, where nobody sees them.
#pragma once

#include "platform/ui.h"

FormSpec mainWindowForm();
