#include "ui/win32/SkinEngine.h"

namespace tw::ui {

struct SkinEngine::Impl {};

SkinEngine::~SkinEngine() { delete impl_; }

bool SkinEngine::LoadSkinFile(const std::string& /*path*/) { return false; }

bool SkinEngine::ApplySkin(HWND /*window*/, std::string_view /*objectName*/) { return false; }

}  // namespace tw::ui
