// What the host's reset-data request reaches: the owner of the preferred-device file.
#pragma once

namespace OlvarUnified {

class ResetDataTarget {
public:
    virtual void resetData() = 0;

protected:
    ~ResetDataTarget() = default;
};

}  // namespace OlvarUnified
