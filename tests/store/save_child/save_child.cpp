// Saves a settings file the way the program does, in a process of its own, so that tests can
// run a save as another user or kill it part-way.
//   save_child FILE SIZE          one save of [Save] Data = 'a' x SIZE; exit 0 saved, 1 not
//   save_child FILE SIZE --loop   saves of 'a' x SIZE and 'b' x SIZE/2 in turn until killed
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "store/key_value_file.h"

namespace {

bool Save(const char* path, char letter, std::size_t size) {
    KeyValueFile file;
    if (!file.CreateKeyValueFile(path))
        return false;
    file.SelectGroup("Save");
    file.WriteText("Data", std::string(size, letter));
    return file.CloseKeyValueFile();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: save_child FILE SIZE [--loop]\n", stderr);
        return 2;
    }
    const std::size_t size = std::strtoull(argv[2], nullptr, 10);
    if (argc > 3 && std::strcmp(argv[3], "--loop") == 0) {
        for (unsigned i = 0;; ++i)
            Save(argv[1], i % 2 ? 'b' : 'a', i % 2 ? size / 2 : size);
    }
    return Save(argv[1], 'a', size) ? 0 : 1;
}
