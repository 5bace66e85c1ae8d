#pragma once

// The end of an orderly session: the operator's presence record in TbOprLog
// is deleted (which also ends the logged-in lock) and the session marker
// removed, so the next start finds a clean state.
namespace Logout {
void run();
}
