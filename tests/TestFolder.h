#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards.

#include <string>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    static void Write(const std::string& path, const std::string& content);
    static std::string Read(const std::string& path);

private:
    std::string path_;
};
