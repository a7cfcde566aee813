#pragma once

// What an administrator would use instead of TARVIN: the system's reg.exe.

namespace tarvin::bench {

// Milliseconds of one `reg query` of the current user's vendor key, from
// process start to exit, its listing written to NUL; negative on failure.
double TimeRegQuery();

// Deletes entries 0 to count - 1 below the vendor key of both hives the
// fastest way reg.exe offers: one `reg import` of a .reg file that names
// each entry key with a leading "-" (deleting it), for both hives. Writing
// the file is not timed. Returns the milliseconds of the reg.exe run;
// negative on failure.
double TimeRegImportDeletion(int count);

}  // namespace tarvin::bench
