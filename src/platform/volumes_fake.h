#pragma once

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <map>
#include <mutex>
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
    bool hangs = false;                // the space query does not come back until the fake goes
};

struct FakeVolumes : Volumes {
    std::map<char, FakeDrive> drives;  // by upper-case letter
    bool listFails = false;
    // Bytes the list call hands over in place of the drives' roots, well formed or not.
    std::optional<std::string> listBytes;
    std::vector<std::string> calls;  // "list", "type C:\", "volume C:\", "space C:\", in order

    FakeVolumes() = default;
    FakeVolumes(const FakeVolumes&) = delete;
    FakeVolumes& operator=(const FakeVolumes&) = delete;
    // Lets the hanging queries come back, and waits until they have.
    ~FakeVolumes() override {
        std::unique_lock<std::mutex> held(lock_);
        gone_ = true;
        changed_.notify_all();
        changed_.wait(held, [this] { return hanging_ == 0; });
    }

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
        record("list");
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
        record("type " + root);
        const FakeDrive* d = find(root);
        return d ? d->type : kDriveNoRootDir;
    }
    bool getVolumeInformation(const std::string& root, std::string& label,
                              uint32_t& serial) override {
        record("volume " + root);
        const FakeDrive* d = find(root);
        if (!d || !d->volume || d->volume->label.size() + 1 > label.size()) return false;
        std::copy(d->volume->label.begin(), d->volume->label.end(), label.begin());
        label[d->volume->label.size()] = '\0';
        serial = d->volume->serial;
        return true;
    }
    bool getDiskFreeSpaceEx(const std::string& root, uint64_t& availableToCaller,
                            uint64_t& totalBytes, uint64_t& totalFreeBytes) override {
        record("space " + root);
        const FakeDrive* d = find(root);
        if (d && d->hangs) {
            std::unique_lock<std::mutex> held(lock_);
            ++hanging_;
            changed_.wait(held, [this] { return gone_; });
            --hanging_;
            changed_.notify_all();
            return false;
        }
        if (!d || !d->space) return false;
        availableToCaller = d->space->availableToCaller;
        totalBytes = d->space->totalBytes;
        totalFreeBytes = d->space->totalFreeBytes;
        return true;
    }

  private:
    // The calls may come from several threads at once.
    void record(const std::string& call) {
        std::lock_guard<std::mutex> held(lock_);
        calls.push_back(call);
    }

    std::mutex lock_;
    std::condition_variable changed_;
    int hanging_ = 0;
    bool gone_ = false;

    const FakeDrive* find(const std::string& root) const {
        if (root.size() != 3 || root.substr(1) != ":\\") return nullptr;
        auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))));
        return it == drives.end() ? nullptr : &it->second;
    }
};
