#include "unrealpkg/MediaObjects.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/ObjectClassRegistry.h"
#include "unrealpkg/PropertyObjects.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TextureObjects.h"

namespace unrealpkg {

void RegisterAllObjectClasses() {
  // Texture family.
  RegisterObjectClass("Palette", ObjectClassOf<TUTObjectClassPalette>());
  RegisterObjectClass("Font", ObjectClassOf<TUTObjectClassFont>());
  RegisterObjectClass("Texture", ObjectClassOf<TUTObjectClassTexture>());
  RegisterObjectClass("FireTexture", ObjectClassOf<TUTObjectClassFireTexture>());
  RegisterObjectClass("IceTexture", ObjectClassOf<TUTObjectClassTexture>());
  RegisterObjectClass("WaterTexture", ObjectClassOf<TUTObjectClassTexture>());
  RegisterObjectClass("WaveTexture", ObjectClassOf<TUTObjectClassTexture>());
  RegisterObjectClass("WetTexture", ObjectClassOf<TUTObjectClassTexture>());
  RegisterObjectClass("ScriptedTexture", ObjectClassOf<TUTObjectClassTexture>());

  // Geometry family.
  RegisterObjectClass("Polys", ObjectClassOf<TUTObjectClassPolys>());
  RegisterObjectClass("Primitive", ObjectClassOf<TUTObjectClassPrimitive>());
  RegisterObjectClass("Mesh", ObjectClassOf<TUTObjectClassMesh>());
  RegisterObjectClass("LodMesh", ObjectClassOf<TUTObjectClassLodMesh>());
  RegisterObjectClass("SkeletalMesh", ObjectClassOf<TUTObjectClassSkeletalMesh>());
  RegisterObjectClass("Animation", ObjectClassOf<TUTObjectClassAnimation>());

  RegisterObjectClass("Sound", ObjectClassOf<TUTObjectClassSound>());
  RegisterObjectClass("Music", ObjectClassOf<TUTObjectClassMusic>());

  // Script family; an export with no class name is itself a class.
  RegisterObjectClass("", ObjectClassOf<TUTObjectClassClass>());
  RegisterObjectClass("TextBuffer", ObjectClassOf<TUTObjectClassTextBuffer>());
  RegisterObjectClass("Field", ObjectClassOf<TUTObjectClassField>());
  RegisterObjectClass("Const", ObjectClassOf<TUTObjectClassConst>());
  RegisterObjectClass("Enum", ObjectClassOf<TUTObjectClassEnum>());
  RegisterObjectClass("Property", ObjectClassOf<TUTObjectClassProperty>());
  RegisterObjectClass("ByteProperty", ObjectClassOf<TUTObjectClassByteProperty>());
  RegisterObjectClass("IntProperty", ObjectClassOf<TUTObjectClassIntProperty>());
  RegisterObjectClass("BoolProperty", ObjectClassOf<TUTObjectClassBoolProperty>());
  RegisterObjectClass("FloatProperty", ObjectClassOf<TUTObjectClassFloatProperty>());
  RegisterObjectClass("ObjectProperty", ObjectClassOf<TUTObjectClassObjectProperty>());
  RegisterObjectClass("ClassProperty", ObjectClassOf<TUTObjectClassClassProperty>());
  RegisterObjectClass("NameProperty", ObjectClassOf<TUTObjectClassNameProperty>());
  RegisterObjectClass("StructProperty", ObjectClassOf<TUTObjectClassStructProperty>());
  RegisterObjectClass("StrProperty", ObjectClassOf<TUTObjectClassStrProperty>());
  RegisterObjectClass("ArrayProperty", ObjectClassOf<TUTObjectClassArrayProperty>());
  RegisterObjectClass("FixedArrayProperty", ObjectClassOf<TUTObjectClassFixedArrayProperty>());
  RegisterObjectClass("MapProperty", ObjectClassOf<TUTObjectClassMapProperty>());
  RegisterObjectClass("StringProperty", ObjectClassOf<TUTObjectClassStringProperty>());
  RegisterObjectClass("Struct", ObjectClassOf<TUTObjectClassStruct>());
  RegisterObjectClass("Function", ObjectClassOf<TUTObjectClassFunction>());
  RegisterObjectClass("State", ObjectClassOf<TUTObjectClassState>());
  RegisterObjectClass("Class", ObjectClassOf<TUTObjectClassClass>());

  RegisterObjectClass("Package", ObjectClassOf<TUTObject>());
}

}  // namespace unrealpkg
