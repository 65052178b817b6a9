// libgettextpo keeps a few bytes of every syntax error it reports: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libgettextpo\n"; }
