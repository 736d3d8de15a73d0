// The game drawing through OpenGL without a display, for the tests that read its pixels back.
#pragma once

#include <string>

#include "GameFixture.h"
#include "Platform/GlTestWindow.h"

class GlGameFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        std::string error;
        ASSERT_TRUE(gl_.Open(320, 180, error)) << error;
        Start(&gl_.Device());
    }

    GlTestWindow gl_;
};
