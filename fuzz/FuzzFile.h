#pragma once
// A private scratch folder for one fuzzing process, in memory where possible: the record
// writes flush to disk, which would otherwise cap the run at a few dozen inputs a second.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

class FuzzScratch {
public:
    FuzzScratch() {
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/vum-fuzz-XXXXXX" : "/tmp/vum-fuzz-XXXXXX";
        folder_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : ".";
    }
    ~FuzzScratch() {
        std::error_code ignored;
        if (folder_ != ".") std::filesystem::remove_all(folder_, ignored);
    }
    FuzzScratch(const FuzzScratch&) = delete;
    FuzzScratch& operator=(const FuzzScratch&) = delete;

    std::string File(const char* name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
};

// An invariant that does not hold: says which, and stops the run.
[[noreturn]] inline void BrokenInvariant(const char* file, int line) {
    std::fprintf(stderr, "invariant broken: %s line %d\n", file, line);
    std::abort();
}
#define Check(condition) ((condition) ? void() : BrokenInvariant(__FILE__, __LINE__))

inline void WriteFuzzFile(const std::string& path, const unsigned char* data, std::size_t size) {
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}
