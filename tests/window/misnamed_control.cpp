// Code that names a control no row of the layout table builds, or a row of
// another kind than it uses, must not build: compiling this file fails.
#include "form_main_ui.h"

namespace quorvel {

void useMisnamedControls(const FormMainUi& ui) {
#if defined(QUORVEL_NO_SUCH_ROW)
    ui.box("FileSector");
#elif defined(QUORVEL_ANOTHER_KIND)
    ui.option("FileSectors");
#endif
}

} // namespace quorvel
