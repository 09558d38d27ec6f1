// A fresh folder of its own for each file test, removed afterwards, with helpers to lay files
// out byte by byte and read back what reached the disk.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kez_files_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out << bytes;
    }

    std::string bytes_of(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

    // Everything in the folder: a rewrite must leave no temporary file behind.
    std::vector<std::string> listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir_;
};
