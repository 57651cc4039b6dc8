#include "style/support/stylehost.h"

StyleTestHost::StyleTestHost(int without) : m_previous(velHostContext()) {
    velSetHostContext(&m_context);
    if (!(without & WithoutLook)) {
        m_look = new VelHostLook;
        m_context.offer<IGuiLook>(m_look);
    }
    if (!(without & WithoutImages)) {
        m_images = new VelHostImageStore;
        m_images->addStandardImages();
        m_context.offer<IImageStore>(m_images);
    }
}

StyleTestHost::~StyleTestHost() {
    m_context.withdrawAll();
    velSetHostContext(m_previous);
}
