#pragma once
// An image list whose images are named by keys; the first image stored under a
// key stays. An image may also be promised for a key: it is stored only when
// the key is first asked for (a row that shows it), from the file named then.
#include "platform/Picture.h"

#include <functional>
#include <string>
#include <unordered_map>

class ImageList {
public:
    // Stores the image for a key from a file, when a promised key is asked for.
    using Source = std::function<void(const std::string& key, const std::string& file)>;

    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    void Create(int width, int height);
    // Images of another size: every image stored from a file is drawn again
    // from it, at the new size, when first asked for.
    void Resize(int width, int height);
    // The list as it is, for a control that asks for its images as it shows
    // them: a promised image is stored only once IndexOf asks for its key.
    HIMAGELIST HandleAsIs() const { return list_.get(); }
    // The image stored under the key, storing a promised one first; or -1.
    int IndexOf(const std::string& key);
    // Promises the image of a key from a file, unless the key has an image or
    // a promise already.
    void Promise(const std::string& key, const std::string& file);
    void Promised(Source source) { source_ = std::move(source); }

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
    void Keep(const std::string& key);

    OwnedImageList list_;
    std::unordered_map<std::string, int> keys_;
    std::unordered_map<std::string, std::string> promised_;  // key -> file
    std::unordered_map<std::string, std::string> sources_;   // key -> file, of the images stored from files
    Source source_;
};
