// A stand-in for Nautilus's file objects: a NautilusFileInfo that answers from a GFile and a flag.
#include "fake_file_info.h"

namespace {

struct SFakeFileInfo {
    GObject parent;
    GFile* location;
    gboolean directory;
};

struct SFakeFileInfoClass {
    GObjectClass parent;
};

GType fakeFileInfoType();

SFakeFileInfo* fake(NautilusFileInfo* info)
{
    return G_TYPE_CHECK_INSTANCE_CAST(info, fakeFileInfoType(), SFakeFileInfo);
}

GFile* location(NautilusFileInfo* info) { return G_FILE(g_object_ref(fake(info)->location)); }
gboolean isDirectory(NautilusFileInfo* info) { return fake(info)->directory; }
char* uri(NautilusFileInfo* info) { return g_file_get_uri(fake(info)->location); }
char* name(NautilusFileInfo* info) { return g_file_get_basename(fake(info)->location); }
char* uriScheme(NautilusFileInfo* info) { return g_file_get_uri_scheme(fake(info)->location); }
char* mimeType(NautilusFileInfo* info)
{
    return g_strdup(fake(info)->directory ? "inode/directory" : "application/octet-stream");
}
GFileType fileType(NautilusFileInfo* info)
{
    return fake(info)->directory ? G_FILE_TYPE_DIRECTORY : G_FILE_TYPE_REGULAR;
}
gboolean isGone(NautilusFileInfo*) { return FALSE; }

void fileInfoInit(NautilusFileInfoInterface* iface)
{
    iface->get_location = location;
    iface->is_directory = isDirectory;
    iface->get_uri = uri;
    iface->get_activation_uri = uri;
    iface->get_name = name;
    iface->get_uri_scheme = uriScheme;
    iface->get_mime_type = mimeType;
    iface->get_file_type = fileType;
    iface->is_gone = isGone;
}

void finalize(GObject* object)
{
    g_clear_object(&G_TYPE_CHECK_INSTANCE_CAST(object, fakeFileInfoType(), SFakeFileInfo)->location);
    G_OBJECT_CLASS(g_type_class_peek_parent(G_OBJECT_GET_CLASS(object)))->finalize(object);
}

void classInit(gpointer klass, gpointer) { G_OBJECT_CLASS(klass)->finalize = finalize; }

void interfaceInit(gpointer iface, gpointer) { fileInfoInit(static_cast<NautilusFileInfoInterface*>(iface)); }

GType fakeFileInfoType()
{
    static const GType type = [] {
        const GType registered =
            g_type_register_static_simple(G_TYPE_OBJECT, "BrindleTestFakeFileInfo", sizeof(SFakeFileInfoClass),
                                          classInit, sizeof(SFakeFileInfo), nullptr, GTypeFlags{});
        const GInterfaceInfo fileInfo = {interfaceInit, nullptr, nullptr};
        g_type_add_interface_static(registered, NAUTILUS_TYPE_FILE_INFO, &fileInfo);
        return registered;
    }();
    return type;
}

}  // namespace

namespace brindle::test {

TGObjectPtr<NautilusFileInfo> FakeFileInfoNew(const std::string& location, bool directory)
{
    auto* info = static_cast<SFakeFileInfo*>(g_object_new(fakeFileInfoType(), nullptr));
    info->location = g_file_new_for_commandline_arg(location.c_str());
    info->directory = directory;
    return TGObjectPtr<NautilusFileInfo>(reinterpret_cast<NautilusFileInfo*>(info));
}

void CFakeSelection::add(const std::string& location, bool directory)
{
    m_infos.push_back(FakeFileInfoNew(location, directory));
    m_list.reset();
}

GList* CFakeSelection::list()
{
    if (!m_list) {
        GList* list = nullptr;
        for (auto it = m_infos.rbegin(); it != m_infos.rend(); ++it)
            list = g_list_prepend(list, it->get());
        m_list.reset(list);
    }
    return m_list.get();
}

}  // namespace brindle::test
