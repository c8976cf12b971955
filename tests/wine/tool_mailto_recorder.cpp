// Stands in for the mail program behind mailto: URLs. Appends every argument after the first, which names
// the record file, to that file, one per line, so a test sees exactly what the shell handed over.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::FILE* record = std::fopen(argv[1], "ab");
    if (!record) return 1;
    for (int i = 2; i < argc; ++i)
        std::fprintf(record, "%s\n", argv[i]);
    std::fclose(record);
    return 0;
}
