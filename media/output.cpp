#include "media/output.h"

#include "compress/szddfile.h"
#include "hostio/codepage.h"
#include "hostio/hostfs.h"

bool CHostProductFolder::List(const std::vector<std::string>& dir, std::vector<CProductEntry>& entries)
{
    entries.clear();
    const std::string host = HostPath(dir);
    std::vector<std::string> names;
    if (HostKindOf(host) != HostKind::Directory || !HostListDirectory(host, names))
        return false;
    for (const std::string& name : names) {
        CProductEntry entry;
        if (!HostNameToCp932(name, entry.m_strName))
            continue;   // no script can name it
        const std::string path = HostJoin(host, name);
        const HostKind kind = HostKindOf(path);
        if (kind == HostKind::Directory)
            entry.m_bDirectory = true;
        else if (kind != HostKind::File || !HostFileSize(path, entry.m_nSize))
            continue;
        entries.push_back(entry);
    }
    return true;
}

bool CHostProductFolder::Read(const std::vector<std::string>& path, std::vector<uint8_t>& data)
{
    return ReadWholeFile(HostPath(path), data);
}

std::string CHostProductFolder::HostPath(const std::vector<std::string>& path) const
{
    std::string host = m_strDir;
    for (const std::string& part : path)
        host = HostJoin(host, ToHostPath(part));
    return host;
}

namespace {

void Fail(std::vector<CMediaFinding>& findings, MediaMessageId id, std::vector<std::string> args)
{
    CMediaFinding finding;
    finding.m_id = id;
    finding.m_args = std::move(args);
    findings.push_back(std::move(finding));
}

// Writes the disks into `root`, a new directory. False with the path that failed.
bool WriteDisks(const CMediaPlan& plan, IProductFolder& product, const std::string& root, std::string& failed)
{
    int madeDisk = 0;
    for (const CPlannedFile& file : plan.m_files) {
        std::string dir = HostJoin(root, "DISK" + std::to_string(file.m_nDisk));
        if (file.m_nDisk != madeDisk) {
            if (!HostMakeDirectory(dir)) {
                failed = dir;
                return false;
            }
            madeDisk = file.m_nDisk;
        }
        for (std::size_t i = 0; i + 1 < file.m_path.size(); ++i) {
            dir = HostJoin(dir, ToHostPath(file.m_path[i]));
            if (HostKindOf(dir) != HostKind::Directory && !HostMakeDirectory(dir)) {
                failed = dir;
                return false;
            }
        }
        const std::string path = HostJoin(dir, ToHostPath(file.m_path.back()));
        std::vector<uint8_t> copied;
        if (file.m_bFromProduct && !product.Read(file.m_productPath, copied)) {
            failed = path;
            return false;
        }
        if (file.m_bFromProduct && copied.size() != file.m_nSize) {
            failed = path;   // the product file changed while the medium was made
            return false;
        }
        if (!WriteWholeFile(path, file.m_bFromProduct ? copied : file.m_data)) {
            failed = path;
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteMedium(const CMediaPlan& plan, IProductFolder& product, const std::string& outDir,
                 const COutputOptions& options, std::vector<CMediaFinding>& findings)
{
    std::string out = outDir;
    while (out.size() > 1 && IsHostSeparator(out.back()))
        out.pop_back();
    const HostKind existing = HostKindOf(out);
    if (existing != HostKind::Missing) {
        // An empty folder made for the medium is used; anything else only
        // with --replace, and only an earlier medium: --replace must never
        // delete a folder that happens to have the output's name.
        std::vector<std::string> names;
        const bool empty = existing == HostKind::Directory && HostListDirectory(out, names) && names.empty();
        if (!empty && !options.m_bReplace) {
            Fail(findings, MediaMessageId::OutputExists, {outDir});
            return false;
        }
        if (!empty && HostKindOf(HostJoin(HostJoin(out, "DISK1"), "DISK1")) != HostKind::File) {
            Fail(findings, MediaMessageId::OutputNotMedium, {outDir, kHostSeparator});
            return false;
        }
    }
    const std::string suffix = std::to_string(HostProcessId());
    const std::string partial = out + ".partial-" + suffix;
    if (!HostMakeDirectory(partial)) {
        Fail(findings, MediaMessageId::WriteFailed, {partial});
        return false;
    }
    std::string failed;
    bool ok = WriteDisks(plan, product, partial, failed);
    for (const CDiskUse& disk : plan.m_disks) {
        if (!ok || !options.m_bImages)
            break;
        const std::string name = "DISK" + std::to_string(disk.m_nDisk);
        std::string problem;
        if (!WriteFloppyImage(plan.m_medium, disk.m_nDisk, HostJoin(partial, name),
                              HostJoin(partial, name + ".IMG"), problem)) {
            Fail(findings, MediaMessageId::ImageFailed, {std::to_string(disk.m_nDisk), problem});
            HostRemoveTree(partial);
            return false;
        }
    }
    if (ok && existing != HostKind::Missing) {
        const std::string old = out + ".old-" + suffix;
        ok = HostRename(out, old);
        if (ok && !HostRename(partial, out)) {
            HostRename(old, out);   // the earlier medium stays as it was
            ok = false;
        }
        if (ok)
            HostRemoveTree(old);
        if (!ok)
            failed = out;
    } else if (ok) {
        ok = HostRename(partial, out);
        if (!ok)
            failed = out;
    }
    if (!ok) {
        HostRemoveTree(partial);
        Fail(findings, MediaMessageId::WriteFailed, {failed});
        return false;
    }
    return true;
}
