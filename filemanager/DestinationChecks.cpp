#include "filemanager/DestinationChecks.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/FolderTree.h"
#include "filemanager/resource.h"

namespace {

DestinationProblem CheckFolder(const String& source, const String& destination)
{
    if (destination.CompareNoCase(source) == 0)
        return DestinationProblem::SameAsSource;
    if (IsSameOrInside(destination, source))
        return DestinationProblem::InsideSource;
    return DestinationProblem::None;
}

}  // namespace

DestinationProblem CheckListDestination(const String& currentFolder, const std::vector<String>& folderNames,
                                        const String& destination, bool move)
{
    const String target = NormalizeFolderPath(destination);
    if (!EntryExists(target))
        return DestinationProblem::Missing;
    const String current = NormalizeFolderPath(currentFolder);
    for (const String& name : folderNames) {
        const DestinationProblem problem = CheckFolder(JoinPath(current, name), target);
        if (problem != DestinationProblem::None)
            return problem;
    }
    if (move && target.CompareNoCase(current) == 0)
        return DestinationProblem::AlreadyThere;
    return DestinationProblem::None;
}

DestinationProblem CheckTreeDestination(const String& treeFolder, const String& destination, bool move)
{
    const String target = NormalizeFolderPath(destination);
    if (!EntryExists(target))
        return DestinationProblem::Missing;
    const String source = NormalizeFolderPath(treeFolder);
    const DestinationProblem problem = CheckFolder(source, target);
    if (problem != DestinationProblem::None)
        return problem;
    if (move && target.CompareNoCase(ParentPath(source)) == 0)
        return DestinationProblem::AlreadyThere;
    return DestinationProblem::None;
}

unsigned MessageOf(DestinationProblem problem) noexcept
{
    switch (problem) {
    case DestinationProblem::Missing:
        return IDS_FOLDER_GONE;
    case DestinationProblem::SameAsSource:
        return IDS_COPY_ONTO_ITSELF;
    case DestinationProblem::InsideSource:
        return IDS_COPY_INTO_ITSELF;
    case DestinationProblem::AlreadyThere:
        return IDS_ALREADY_THERE;
    case DestinationProblem::None:
        break;
    }
    return 0;
}
