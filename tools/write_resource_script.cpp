// Writes the expression dialog's resource script (template and string
// table) to the named file. The Windows build compiles this for the build
// machine and hands its output to windres, so the module's resources come
// from the rows of editor/resources.cpp and nowhere else.
#include <fstream>
#include <iostream>

#include "editor/resources.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_resource_script OUTPUT.rc\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  bte::editor::WriteResourceScript(out);
  out.close();
  if (!out) {
    std::cerr << "write_resource_script: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
