#pragma once
// How the C library keeps memory the program frees, set once at start-up.

// Large blocks (a bet file's text, the growing list of a job's lines) come from the heap and
// stay there for reuse when freed, instead of being given back to the system at once and
// asked for again (each page then faults in anew): a script over 200,000 lines runs about a
// tenth faster. Up to 64 MB freed at the heap's top is kept.
void KeepFreedMemoryForReuse();
