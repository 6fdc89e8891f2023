#pragma once
// The colour type lives with the pictures; this name stays for the shell's code.
#include "imagelib/rgb_triple.h"
