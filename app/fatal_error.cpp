#include "app/fatal_error.h"

#include "app/texts.h"
#include "platform/ui.h"

void showFatalError(const std::string& reason) {
    ui().messageBox(reason, ansi("错误"), MessageBoxStyle::Error);
}
