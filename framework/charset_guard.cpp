// Fails the build when literals are not compiled to code page 932.
static_assert(sizeof("ぷ") == 3, "compile with -fexec-charset=CP932");
