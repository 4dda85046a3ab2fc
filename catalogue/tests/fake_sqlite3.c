/* A stand-in sqlite3.dll for the access layer's start-up and shut-down
   paths that the real library never takes: its initialisation and shut-down
   results are set by the test, and it counts how often each was called. */
#define EXPORT __declspec(dllexport)

static int initResult, shutdownResult;
static int initCalls, shutdownCalls;

#ifndef FAKE_WITHOUT_INIT
EXPORT int sqlite3_initialize(void) { ++initCalls; return initResult; }
#endif
EXPORT int sqlite3_shutdown(void) { ++shutdownCalls; return shutdownResult; }

EXPORT void FakeResults(int init, int shutdown) {
    initResult = init;
    shutdownResult = shutdown;
}
EXPORT int FakeInitCalls(void) { return initCalls; }
EXPORT int FakeShutdownCalls(void) { return shutdownCalls; }
