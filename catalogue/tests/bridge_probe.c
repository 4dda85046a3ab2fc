/* Test library for the call bridge, built twice (PROBE_ID 1 and 2) so a test
   can tell which library an export was looked up in. C convention throughout. */
#define EXPORT __declspec(dllexport)

static int seen[17];
static int seenCount;

EXPORT int ProbeId(void) { return PROBE_ID; }

/* Records up to 16 arguments as the callee sees them; returns how many were given. */
EXPORT int Record(int n, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10,
                  int a11, int a12, int a13, int a14, int a15, int a16) {
    int args[16] = {n, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16};
    seenCount = n;
    for (int i = 0; i < n && i < 16; ++i) seen[i] = args[i];
    return n * 1000 + PROBE_ID;
}

EXPORT int Seen(int i) { return i < seenCount ? seen[i] : -1; }

/* Calls a C-convention function pointer with three arguments, the way a C
   library calls back into its user, and checks the stack is as it was. */
typedef int (*Callback3)(int, int, int);
EXPORT int CallBack3(Callback3 fn, int a, int b, int c, int* stackKept) {
    volatile char marker = 7;
    int r = fn(a, b, c);
    r += fn(a, b, c);
    *stackKept = marker == 7;
    return r;
}
