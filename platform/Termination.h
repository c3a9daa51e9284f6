#pragma once

#include <functional>

namespace tavik::platform {

// Asks the application to end, as a failure the program cannot go on from (a damaged dictionary
// in the configuration dialog). The request is queued: the application ends when control returns
// to its event loop, even when that loop has not started yet.
void requestTermination();

// Tests replace what a request does (null restores the default) and count the requests.
void setTerminationHandler(std::function<void()> handler);
int terminationRequests();

}  // namespace tavik::platform
