#include <span>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "platform/AtomicFile.h"
#include "unrealpkg/MeshObjExport.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/TUTPackage.h"

namespace cli {

int RunExportMesh(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--frame"});
  args.ExpectPositionals(3, 3);
  const std::string& meshName = args.Positionals()[1];
  const std::filesystem::path outFile = args.Positionals()[2];
  unrealpkg::TUTPackage package(args.Positionals()[0]);
  int index = -1;
  for (const char* className : {"SkeletalMesh", "LodMesh", "Mesh"})
    if (index < 0)
      index = package.FindObject(unrealpkg::TableExports, unrealpkg::MatchObjectName | unrealpkg::MatchClassName, 0,
                                 className, meshName, "");
  if (index < 0)
    throw std::runtime_error(package.FileName().string() + ": no Mesh, LodMesh or SkeletalMesh is named \"" +
                             meshName + "\"");
  auto& mesh = dynamic_cast<unrealpkg::TUTObjectClassMesh&>(package.GetExport(index)->Object());
  unrealpkg::TUTObjectUse use(mesh);
  const std::string obj = unrealpkg::MeshToObj(mesh, args.IntValue("--frame").value_or(0));
  platform::WriteFileAtomically(outFile, std::span(reinterpret_cast<const std::uint8_t*>(obj.data()), obj.size()));
  out << outFile.string() << '\n';
  return 0;
}

}  // namespace cli
