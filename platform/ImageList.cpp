#include "platform/ImageList.h"

void ImageList::Create(int width, int height)
{
    list_.reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 16, 64));
    keys_.clear();
    promised_.clear();
    sources_.clear();
    source_ = nullptr;
}

void ImageList::Resize(int width, int height)
{
    ImageList_SetIconSize(list_.get(), width, height);  // the list is emptied
    keys_.clear();
    for (auto& source : sources_) promised_.emplace(source.first, source.second);
    sources_.clear();
}

int ImageList::IndexOf(const std::string& key)
{
    Keep(key);
    const auto found = keys_.find(key);
    return found == keys_.end() ? -1 : found->second;
}

void ImageList::Promise(const std::string& key, const std::string& file)
{
    if (key.empty() || keys_.count(key)) return;
    promised_.try_emplace(key, file);  // an earlier promise stays; nothing is copied for it
}

void ImageList::Keep(const std::string& key)
{
    const auto promise = promised_.find(key);
    if (promise == promised_.end()) return;
    // Taken out first: drawing may let messages in that ask for the same key.
    const std::string file = std::move(promise->second);
    promised_.erase(promise);
    if (source_) source_(key, file);
    if (keys_.count(key)) sources_.emplace(key, file);
}

bool ImageList::ListImageCollection::Add(const std::string& key, const Picture& picture)
{
    if (key.empty() || picture.Empty() || owner_.keys_.count(key)) return false;
    // Icons are drawn on a white surface: white becomes transparent again.
    const int index = ImageList_AddMasked(owner_.list_.get(), picture.Handle(), RGB(255, 255, 255));
    if (index < 0) return false;
    owner_.keys_.emplace(key, index);
    return true;
}
