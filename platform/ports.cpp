#include "platform/os.h"
#include "platform/ui.h"

namespace {
Os* installedOs = nullptr;
Ui* installedUi = nullptr;
}  // namespace

Os& os() { return *installedOs; }
void installOs(Os* port) { installedOs = port; }

Ui& ui() { return *installedUi; }
void installUi(Ui* port) { installedUi = port; }
