// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Pictures: immutable picture objects with a handle. Giving an image another image's picture
// shares the object; two pictures are the same picture when their handles are equal.
#pragma once

#include <memory>
#include <string>

namespace forms {

struct PictureData {
    int handle = 0;
    std::string name;  // the artwork it shows, e.g. "vessa_stand_r"
    int width = 0;     // pixels
    int height = 0;
};

class Picture {
public:
    Picture() = default;
    explicit Picture(std::shared_ptr<const PictureData> data) : data_(std::move(data)) {}

    explicit operator bool() const { return data_ != nullptr; }
    int Handle() const { return data_ ? data_->handle : 0; }
    const PictureData* data() const { return data_.get(); }

    // Identity, not likeness: two loads of the same artwork are different pictures.
    friend bool operator==(const Picture& a, const Picture& b) { return a.Handle() == b.Handle(); }

private:
    std::shared_ptr<const PictureData> data_;
};

}  // namespace forms
