#include "facts/installed_updates.h"

namespace {

using Form = WmiField::Form;

// InstalledOn is text whose form Windows does not fix (a date in one of several orders,
// at times a hexadecimal FILETIME): given as it is, not guessed at.
const WmiField kUpdate[] = {
    {"id", "HotFixID", Form::Text},
    {"installedOn", "InstalledOn", Form::Text},
};

}  // namespace

void updatesRecord(Json& record, WmiSession& session) {
    wmiList(record, "updates", session, "Win32_QuickFixEngineering", kUpdate);
}
