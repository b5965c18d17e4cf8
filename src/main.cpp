// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/command_line.h"

int main(int argc, char* argv[]) { return tarquel::runCommandLine(argc, argv); }
