#pragma once

// What one command-line argument asks of the shell. The shell's own flags are tried first, in this
// order; anything else is a slash flag for the active child.
enum class ArgumentAction { kNewLines, kNewBubbles, kNextWindow, kChildFlag };

// Any byte string is accepted; a null pointer is a flag for the child, which drops it.
ArgumentAction ClassifyArgument(const char* arg);
