#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <vector>

#include "platform/volumes.h"

struct FakeSpace {
    uint64_t availableToCaller = 0, totalBytes = 0, totalFreeBytes = 0;
};

struct FakeVolume {
    std::string label;  // UTF-8
    uint32_t serial = 0;
};

struct FakeDrive {
    uint32_t type = kDriveFixed;
    std::optional<FakeVolume> volume;  // nothing: no medium, the volume cannot be read
    std::optional<FakeSpace> space;    // nothing: the space query fails
};

struct FakeVolumes : Volumes {
    std::map<char, FakeDrive> drives;  // by upper-case letter
    bool listFails = false;
    // Bytes the list call hands over in place of the drives' roots, well formed or not.
    std::optional<std::string> listBytes;
    std::vector<std::string> calls;  // "list", "type C:\", "volume C:\", "space C:\", in order

    FakeDrive& add(char letter, uint32_t serial, std::string label = {}) {
        FakeDrive& d = drives[letter];
        d.volume = FakeVolume{std::move(label), serial};
        d.space = FakeSpace{};
        return d;
    }
    std::vector<char> probed() const {  // letters whose volume was read, in order
        std::vector<char> out;
        for (const auto& c : calls)
            if (c.starts_with("volume ")) out.push_back(c[7]);
        return out;
    }

    uint32_t getLogicalDriveStrings(std::string& buffer) override {
        calls.push_back("list");
        if (listFails) return 0;
        std::string list = listBytes.value_or("");
        if (!listBytes)
            for (const auto& [letter, d] : drives) list += std::string{letter, ':', '\\', '\0'};
        if (list.size() + 1 > buffer.size()) return static_cast<uint32_t>(list.size() + 1);
        std::copy(list.begin(), list.end(), buffer.begin());
        buffer[list.size()] = '\0';
        return static_cast<uint32_t>(list.size());
    }
    uint32_t getDriveType(const std::string& root) override {
        calls.push_back("type " + root);
        const FakeDrive* d = find(root);
        return d ? d->type : kDriveNoRootDir;
    }
    bool getVolumeInformation(const std::string& root, std::string& label,
                              uint32_t& serial) override {
        calls.push_back("volume " + root);
        const FakeDrive* d = find(root);
        if (!d || !d->volume || d->volume->label.size() + 1 > label.size()) return false;
        std::copy(d->volume->label.begin(), d->volume->label.end(), label.begin());
        label[d->volume->label.size()] = '\0';
        serial = d->volume->serial;
        return true;
    }
    bool getDiskFreeSpaceEx(const std::string& root, uint64_t& availableToCaller,
                            uint64_t& totalBytes, uint64_t& totalFreeBytes) override {
        calls.push_back("space " + root);
        const FakeDrive* d = find(root);
        if (!d || !d->space) return false;
        availableToCaller = d->space->availableToCaller;
        totalBytes = d->space->totalBytes;
        totalFreeBytes = d->space->totalFreeBytes;
        return true;
    }

  private:
    const FakeDrive* find(const std::string& root) const {
        if (root.size() != 3 || root.substr(1) != ":\\") return nullptr;
        auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))));
        return it == drives.end() ? nullptr : &it->second;
    }
};
