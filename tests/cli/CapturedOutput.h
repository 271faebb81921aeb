#pragma once
// A temporary file handed to code that prints, and what it printed there so far.

#include <cstdio>
#include <string>

namespace velmora::test {

class CapturedOutput {
public:
    CapturedOutput() : file_(std::tmpfile()) {}
    ~CapturedOutput() { std::fclose(file_); }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    std::FILE* file() const { return file_; }
    // Reading leaves the file at its end, so later printing goes after it.
    std::string text() const
    {
        std::fflush(file_);
        std::rewind(file_);
        std::string content;
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_))
            content += static_cast<char>(c);
        return content;
    }

private:
    std::FILE* file_;
};

} // namespace velmora::test
