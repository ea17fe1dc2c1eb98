// Included once, by a main() that starts the browser engine. The engine's own library frees
// some of its objects through a base of another size, which AddressSanitizer's new/delete
// check reports and aborts on; that check is off by default in sanitizer builds of such
// programs (ASAN_OPTIONS still overrides it). Other builds are untouched.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }
#endif
