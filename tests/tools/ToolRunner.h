// Runs a command-line program of this build and captures its output and exit status. Under Wine the
// program path, a Linux path, is reached through drive Z:.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

struct ToolResult {
    std::string output;
    int exitCode = -1;
};

inline std::string HostPath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
#endif
    return path;
}

inline ToolResult RunTool(const std::string& program, const std::vector<std::string>& args) {
    std::string command = "\"" + HostPath(program) + "\"";
    for (const std::string& a : args) {
        command += " \"" + a + "\"";
    }
    ToolResult result;
#ifdef _WIN32
    // cmd.exe strips one pair of outer quotes from the whole line.
    FILE* pipe = _popen(("\"" + command + "\"").c_str(), "rb");
#else
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
#endif
    if (!pipe) {
        return result;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, n);
    }
#ifdef _WIN32
    result.exitCode = _pclose(pipe);
#else
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return result;
}
