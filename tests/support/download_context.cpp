#include "tests/support/download_context.h"

#include "config/form_commit.h"
#include "image/rom_image.h"

namespace testsupport {

void CommitShowingRefusal(const config::FormInput& input, config::ConfigTable& table,
                          config::FormState& form, platform::Prompts& prompts) {
    const config::CommitResult result = config::CommitForm(input, table, form);
    if (result.refusal) {
        prompts.DialogBox(result.refusal->message, "Error", platform::BoxType::Error);
    }
}

device::DownloadContext DialogDownloadContext(const config::FormInput& input,
                                              config::ConfigTable& table, config::FormState& form,
                                              const std::string& binFileText,
                                              platform::Prompts& prompts) {
    auto commit = [&input, &table, &form, &prompts] {
        CommitShowingRefusal(input, table, form, prompts);
    };
    return device::DownloadContext{
        table,
        form,
        commit,
        [commit, &table](const std::string& imagePath, const std::string& romName) {
            image::WriteRomImage(imagePath, romName, [&commit, &table] {
                commit();
                return table.bytes;
            });
        },
        [&binFileText] { return binFileText; },
        prompts,
    };
}

}  // namespace testsupport
