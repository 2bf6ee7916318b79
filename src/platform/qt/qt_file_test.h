// The file test on Qt.
#pragma once

#include "platform/file_test.h"

namespace platform {

class QtFileTest final : public FileTest
{
public:
    std::string Dir(const std::string &path) override;
};

} // namespace platform
