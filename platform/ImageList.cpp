#include "platform/ImageList.h"

void ImageList::Create(int width, int height)
{
    list_.reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 16, 64));
    keys_.clear();
}

int ImageList::IndexOf(const std::string& key) const
{
    const auto found = keys_.find(key);
    return found == keys_.end() ? -1 : found->second;
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
