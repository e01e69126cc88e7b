#pragma once
// vornprn-cli runs `script` itself and hands every other command to the program that holds them
// all, vornprn-cli-full in its own folder.

// Replaces this process by the full program with the same arguments (argv[0] included, so the
// process keeps its name), the same standard streams and environment. Returns only when that
// program cannot be started, after a message on stderr, with the exit code to end with.
int StartFullProgram(char **argv);
