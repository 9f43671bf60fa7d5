// Stands in for a help viewer in the tests: writes the arguments it was
// started with, each followed by a NUL byte, to the file named by
// KORVANE_STANDIN_ARGS, then stays until the file named by
// KORVANE_STANDIN_RELEASE exists (at most 10 s, and no longer than the
// test's folder), so that a test can tell whether its starter waited for it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    const char* argsPath = std::getenv("KORVANE_STANDIN_ARGS");
    const char* releasePath = std::getenv("KORVANE_STANDIN_RELEASE");
    if (!argsPath)
        return 2;
    // Written beside and renamed, so the test never reads half of it.
    const std::string partial = std::string(argsPath) + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return 1;
    for (int i = 1; i < argc; ++i) {
        std::fputs(argv[i], out);
        std::fputc('\0', out);
    }
    std::fclose(out);
    std::rename(partial.c_str(), argsPath);
    if (!releasePath)
        return 0;
    const std::filesystem::path release(releasePath);
    for (int i = 0; i < 200 && std::filesystem::exists(release.parent_path()) && !std::filesystem::exists(release);
         ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return 0;
}
