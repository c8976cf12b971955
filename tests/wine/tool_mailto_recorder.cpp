// Stands in for the mail program behind mailto: URLs: appends every argument after the first, which names
// the record file, to that file, one a line, so a test sees exactly what the shell handed over.
#include <cstdio>

int main(int argc, char** argv) {
    std::FILE* record = argc > 1 ? std::fopen(argv[1], "ab") : nullptr;
    for (int i = 2; record && i < argc; ++i)
        std::fprintf(record, "%s\n", argv[i]);
    return record && std::fclose(record) == 0 ? 0 : 1;
}
