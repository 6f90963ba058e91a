// varda_docgen: writes the man page or the bash completion script of varda,
// made from the option tables that varda itself parses with.
//
//   varda_docgen man <file> <date>
//   varda_docgen bash-completion <file>

#include <cstdio>
#include <string>

#include "completion.h"
#include "front/chip_options.h"
#include "front/option_table.h"
#include "front/tool_info.h"
#include "man_page.h"

namespace {

bool writeFile(const char* path, const std::string& text) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varda;
  const std::string what = argc > 1 ? argv[1] : "";
  std::string text;
  if (what == "man" && argc == 4) {
    text = docgen::manPage(front::kToolInfo, front::mainTable(), argv[3], front::chipValues());
  } else if (what == "bash-completion" && argc == 3) {
    text = docgen::bashCompletion(
        front::kToolInfo.programName, front::mainTable(),
        {{"bank", front::bankValues()}, {"chip", front::chipValues()}, {"type", front::typeLetters()}});
  } else {
    std::fprintf(stderr, "usage: varda_docgen man <file> <date> | varda_docgen bash-completion <file>\n");
    return 2;
  }
  if (!writeFile(argv[2], text)) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
