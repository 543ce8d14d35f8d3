#pragma once

#include <string>
#include <vector>

#include "compile/LocalisationFile.h"
#include "model/TModelo.h"
#include "project/SkinTree.h"

namespace project {
class ProjectDocument;
}

// How the game's menus and player classes see the skins of a package, and
// what a skin lacks that the game will ask for.
namespace compile {

// How the game's menus see a texture. A skin is listed by one texture with
// its description: a multi-skinned model's skin by a default texture, named
// by code and section; a single-skin model's by the texture of its own name.
// Faces are listed by the face textures of a face section.
MenuRole MenuRoleOf(const model::TModelo& model, const project::SkinNode& skin, const model::TModeloPart& part,
                    const project::SkinNode& texture, const std::string& name);

// Players cannot choose a skin the menus do not list; empty when it is listed
// (`listed`: a texture of the skin took the Skin role) with a description.
std::string UnlistedSkinWarning(const model::TModelo& model, const project::SkinNode& skin, bool listed);

// The game wears a skin only when it finds the textures of the required
// sections (a multi-skinned model's fixed part); else it shows the model's
// default skin.
std::vector<std::string> MissingRequiredWarnings(const project::ProjectDocument& document,
                                                 const project::SkinNode& skin);

// What else the game asks for and falls back from: a team variant of a team
// section, where the skin varies by that team in another section; a face's
// talk texture, where the model has a talk section with faces.
std::vector<std::string> MissingVariantWarnings(const project::ProjectDocument& document,
                                                const project::SkinNode& skin);

}  // namespace compile
