// Zel Tidewell — a small desktop news reader.
#pragma once

#include "file_test.h"

namespace platform {

class QtFileTest final : public FileTest
{
public:
    std::string Dir(const std::string &path) override;
};

} // namespace platform
