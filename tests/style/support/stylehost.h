#pragma once
// StyleTestHost: a small host for style tests. It makes a host context that offers a look service
// ("IGuiLook", the built-in theme) and an image store ("IImageStore", the shipped style images), and
// installs that context as the module's host context for its lifetime (the previous one comes back after).
//
// Usage:
//     StyleTestHost host;                              // look and images
//     StyleTestHost host(StyleTestHost::WithoutLook);  // images only
//     MelvoroStyle style(new RecordingStyle);          // takes the look service it finds now
//     EXPECT_EQ(host.look()->asks("ColorGUI"), 1);
//
// Create styles after the host and destroy them before it.

#include "host/hostcontext.h"
#include "host/imagestore.h"
#include "host/lookservice.h"

class StyleTestHost {
public:
    enum Without { WithEverything = 0, WithoutLook = 1, WithoutImages = 2, WithoutServices = 3 };

    explicit StyleTestHost(int without = WithEverything);
    ~StyleTestHost();
    StyleTestHost(const StyleTestHost&) = delete;
    StyleTestHost& operator=(const StyleTestHost&) = delete;

    VelHostContext& context() { return m_context; }
    // The offered services, or null when left out; the context holds one reference on each.
    VelHostLook* look() const { return m_look; }
    VelHostImageStore* images() const { return m_images; }

private:
    IVelHostContext* m_previous;
    VelHostContext m_context;
    VelHostLook* m_look = nullptr;
    VelHostImageStore* m_images = nullptr;
};
