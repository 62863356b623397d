#pragma once
// An image list whose images are named by keys; the first image stored under a
// key stays.
#include "platform/Picture.h"

#include <string>
#include <unordered_map>

class ImageList {
public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    void Create(int width, int height);
    HIMAGELIST Handle() const { return list_.get(); }
    // The image stored under the key, or -1.
    int IndexOf(const std::string& key) const;

    class ListImageCollection {
    public:
        // Stores the picture under the key. Fails, storing nothing, when the
        // key is empty or already present, or the picture cannot be stored.
        [[nodiscard]] bool Add(const std::string& key, const Picture& picture);

    private:
        friend class ImageList;
        explicit ListImageCollection(ImageList& owner) : owner_(owner) {}
        ImageList& owner_;
    };
    ListImageCollection ListImages{*this};

private:
    OwnedImageList list_;
    std::unordered_map<std::string, int> keys_;
};
