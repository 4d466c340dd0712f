#include "FileDialogs.h"

#include "QtText_p.h"
#include "services/FileNames.h"

#include <QFileDialog>

#include <algorithm>

namespace {
TFileDialogHook& Hook() {
    static TFileDialogHook hook;
    return hook;
}

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == sep) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}
} // namespace

TFileDialogHook SetFileDialogHook(TFileDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

std::vector<std::string> QtFilters(const std::string& filter) {
    std::vector<std::string> out;
    const auto parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::vector<std::string> patterns;
        for (const auto& raw : Split(parts[i + 1], ';')) {
            const std::string p = Trim(raw);
            if (p.empty()) continue;
            for (const std::string& v : {p, LowerCase(p), UpperCase(p)})
                if (std::find(patterns.begin(), patterns.end(), v) == patterns.end())
                    patterns.push_back(v);
        }
        // Qt lists the patterns itself: a list that the description already shows in
        // parentheses would appear twice.
        std::string description = Trim(parts[i]);
        if (!description.empty() && description.back() == ')') {
            const auto open = description.rfind('(');
            // Only a pattern list goes; other words in parentheses stay.
            if (open != std::string::npos && description.find('*', open) != std::string::npos)
                description = Trim(description.substr(0, open));
        }
        std::string text = description + " (";
        for (std::size_t k = 0; k < patterns.size(); ++k)
            text += (k ? " " : "") + patterns[k];
        out.push_back(text + ")");
    }
    return out;
}

std::string FilterExt(const std::string& filter, int index) {
    const auto parts = Split(filter, '|');
    const auto at = 2 * static_cast<std::size_t>(index - 1) + 1;
    if (index < 1 || at >= parts.size()) return {};
    const std::string first = Trim(Split(parts[at], ';').front());
    if (first.size() < 3 || first.compare(0, 2, "*.") != 0) return {};
    const std::string ext = first.substr(2);
    if (ext.find_first_of("*?[") != std::string::npos) return {};
    return LowerCase(ext);
}

std::string WithDefaultExt(const std::string& name, const std::string& ext) {
    if (ext.empty() || !ExtractFileExt(name).empty()) return name;
    return name + "." + ext;
}

bool TFileDialog::Run(bool save) {
    Files.clear();
    bool chosen = false;
    if (Hook()) {
        TFileDialogRequest request{*this, save};
        chosen = Hook()(request);
    } else {
        QFileDialog dlg(nullptr, QStr(Title), QFileName(InitialDir.empty() ? "." : InitialDir));
        QStringList filters;
        for (const auto& f : QtFilters(Filter))
            filters << QStr(f);
        dlg.setNameFilters(filters);
        if (FilterIndex >= 1 && FilterIndex <= filters.size())
            dlg.selectNameFilter(filters.at(FilterIndex - 1));
        dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (save && !DefaultExt.empty()) {
            // The dialog adds the chosen type's extension itself, so that its overwrite
            // question is about the file that will be written.
            auto suffix = [this](int index) {
                const std::string ext = FilterExt(Filter, index);
                return QStr(ext.empty() ? DefaultExt : ext);
            };
            dlg.setDefaultSuffix(suffix(FilterIndex));
            QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg,
                             [&dlg, &filters, suffix](const QString& chosen) {
                                 dlg.setDefaultSuffix(
                                     suffix(static_cast<int>(filters.indexOf(chosen)) + 1));
                             });
        }
        if (save)
            dlg.setFileMode(QFileDialog::AnyFile);
        else
            dlg.setFileMode((Options & ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                                                           : QFileDialog::ExistingFile);
        if (!FileName.empty()) dlg.selectFile(QFileName(FileName));
        if (dlg.exec() == QDialog::Accepted) {
            for (const QString& f : dlg.selectedFiles())
                Files.push_back(StdFileName(f));
            FilterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
            chosen = !Files.empty();
        }
    }
    if (!chosen || Files.empty()) return false;
    if (save && !DefaultExt.empty()) {
        // The type the user chose names the extension; DefaultExt when it names none.
        const std::string chosen = FilterExt(Filter, FilterIndex);
        for (auto& f : Files)
            f = WithDefaultExt(f, chosen.empty() ? DefaultExt : chosen);
    }
    FileName = Files.front();
    return true;
}
