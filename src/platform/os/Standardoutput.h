#pragma once
// Standard output as the operating system gives it to the program.

// Makes standard output pass every byte unchanged: on Windows the C runtime's text mode would
// turn each LF into CR LF and stop a reader at a 0x1A byte. Elsewhere it is binary already.
// Call before anything is written to it. False when the system refuses.
bool SetBinaryStandardOutput();
