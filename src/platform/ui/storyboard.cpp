#include "platform/ui/storyboard.hpp"

#include <set>

#include "platform/ui/application.hpp"
#include "platform/ui/table_view.hpp"

namespace ui {

namespace {

struct Registry {
    std::map<std::string, ControllerClass, std::less<>> controllers;
    std::map<std::string, ViewFactory, std::less<>> views;
    std::map<std::string, DelegateFactory, std::less<>> delegates;
};

Registry& registry() {
    static Registry r;
    return r;
}

std::unique_ptr<Storyboard>& mainStoryboard() {
    static std::unique_ptr<Storyboard> board;
    return board;
}

std::string quoted(std::string_view s) {
    std::string out(1, '"');
    out.append(s);
    out.push_back('"');
    return out;
}

// Views a scene can place without registering them.
std::unique_ptr<View> makeSceneView(std::string_view className) {
    if (className == "View") return std::make_unique<View>();
    if (className == "TableView") return std::make_unique<TableView>();
    return ClassRegistry::makeView(className);
}

bool knownSceneView(std::string_view className) {
    return className == "View" || className == "TableView" || ClassRegistry::hasView(className);
}

void pin(View& view, LayoutGuide& guide, const LayoutGuide::Insets& m) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    if (m.top >= 0) view.topAnchor().constraintEqualTo(guide.topAnchor(), m.top);
    if (m.bottom >= 0) view.bottomAnchor().constraintEqualTo(guide.bottomAnchor(), -m.bottom);
    if (m.left >= 0) view.leadingAnchor().constraintEqualTo(guide.leadingAnchor(), m.left);
    if (m.right >= 0) view.trailingAnchor().constraintEqualTo(guide.trailingAnchor(), -m.right);
}

}  // namespace

// ---- registry

ControllerClass& ClassRegistry::addViewController(std::string name, ViewControllerFactory make) {
    tl::require(!name.empty() && make != nullptr, "a view controller class needs a name and a factory");
    ControllerClass& entry = registry().controllers[std::move(name)];
    entry.make = std::move(make);
    entry.outlets.clear();
    return entry;
}

void ClassRegistry::addView(std::string name, ViewFactory make) {
    tl::require(!name.empty() && make != nullptr, "a view class needs a name and a factory");
    registry().views[std::move(name)] = std::move(make);
}

void ClassRegistry::addDelegate(std::string name, DelegateFactory make) {
    tl::require(!name.empty() && make != nullptr, "a delegate class needs a name and a factory");
    registry().delegates[std::move(name)] = std::move(make);
}

const ControllerClass* ClassRegistry::viewControllerClass(std::string_view name) {
    auto& map = registry().controllers;
    auto it = map.find(name);
    return it == map.end() ? nullptr : &it->second;
}

bool ClassRegistry::hasView(std::string_view name) { return registry().views.contains(name); }
bool ClassRegistry::hasDelegate(std::string_view name) { return registry().delegates.contains(name); }

std::unique_ptr<ViewController> ClassRegistry::makeViewController(std::string_view name) {
    const ControllerClass* entry = viewControllerClass(name);
    tl::require(entry != nullptr, "unknown view controller class " + quoted(name));
    auto controller = entry->make();
    tl::require(controller != nullptr, "the factory of " + quoted(name) + " made nothing");
    return controller;
}

std::unique_ptr<View> ClassRegistry::makeView(std::string_view name) {
    auto& map = registry().views;
    auto it = map.find(name);
    tl::require(it != map.end(), "unknown view class " + quoted(name));
    auto view = it->second();
    tl::require(view != nullptr, "the factory of " + quoted(name) + " made nothing");
    return view;
}

std::unique_ptr<ApplicationDelegate> ClassRegistry::makeDelegate(std::string_view name) {
    auto& map = registry().delegates;
    auto it = map.find(name);
    tl::require(it != map.end(), "unknown application delegate class " + quoted(name));
    auto delegate = it->second();
    tl::require(delegate != nullptr, "the factory of " + quoted(name) + " made nothing");
    return delegate;
}

// ---- storyboard

Storyboard::Storyboard(StoryboardDescription description) : description_(std::move(description)) {
    std::set<std::string, std::less<>> names;
    for (const SceneDescription& scene : description_.scenes) {
        tl::require(!scene.name.empty(), "a scene without a name");
        tl::require(names.insert(scene.name).second, "scene " + quoted(scene.name) + " is described twice");
    }
    for (const SceneDescription& scene : description_.scenes) {
        const ControllerClass* cls = ClassRegistry::viewControllerClass(scene.className);
        tl::require(cls != nullptr,
                    "scene " + quoted(scene.name) + ": unknown view controller class " + quoted(scene.className));
        for (const auto& [identifier, destination] : scene.segues)
            tl::require(names.contains(destination), "scene " + quoted(scene.name) + ": segue " +
                                                         quoted(identifier) + " leads to unknown scene " +
                                                         quoted(destination));
        for (const SceneView& view : scene.views) {
            tl::require(knownSceneView(view.className),
                        "scene " + quoted(scene.name) + ": unknown view class " + quoted(view.className));
            if (view.outlet.empty()) continue;
            auto outlet = cls->outlets.find(view.outlet);
            tl::require(outlet != cls->outlets.end(), "scene " + quoted(scene.name) + ": class " +
                                                          quoted(scene.className) + " has no outlet " +
                                                          quoted(view.outlet));
            tl::require(outlet->second.accepts(makeSceneView(view.className).get()),
                        "scene " + quoted(scene.name) + ": outlet " + quoted(view.outlet) +
                            " cannot hold a " + quoted(view.className));
        }
    }
    tl::require(names.contains(description_.initialScene),
                "unknown initial scene " + quoted(description_.initialScene));
}

const SceneDescription* Storyboard::scene(std::string_view name) const {
    for (const SceneDescription& s : description_.scenes)
        if (s.name == name) return &s;
    return nullptr;
}

const SceneDescription* Storyboard::segueDestination(std::string_view from, std::string_view identifier) const {
    const SceneDescription* source = scene(from);
    if (!source) return nullptr;
    auto it = source->segues.find(identifier);
    return it == source->segues.end() ? nullptr : scene(it->second);
}

std::unique_ptr<ViewController> Storyboard::instantiate(std::string_view name) const {
    const SceneDescription* description = scene(name);
    tl::require(description != nullptr, "unknown scene " + quoted(name));
    std::unique_ptr<ViewController> controller = ClassRegistry::makeViewController(description->className);
    controller->scene_ = description->name;
    controller->storyboard_ = this;
    if (controller->title().empty()) controller->setTitle(description->title);
    controller->sceneBuilder_ = [description = *description](ViewController& vc) {
        const ControllerClass* cls = ClassRegistry::viewControllerClass(description.className);
        tl::require(cls != nullptr, "unknown view controller class " + quoted(description.className));
        View* root = vc.view();
        LayoutGuide* guide = vc.safeAreaLayoutGuide();
        for (const SceneView& spec : description.views) {
            View* view = root->addSubview(makeSceneView(spec.className));
            view->setTag(spec.tag);
            view->setAlpha(spec.alpha);
            view->setHidden(spec.hidden);
            view->setBackgroundColor(spec.background);
            pin(*view, *guide, spec.margins);
            if (auto* table = dynamic_cast<TableView*>(view))
                for (const std::string& identifier : description.cellIdentifiers)
                    table->registerCell(identifier);
            if (spec.outlet.empty()) continue;
            auto outlet = cls->outlets.find(spec.outlet);
            tl::require(outlet != cls->outlets.end(), "class " + quoted(description.className) +
                                                          " has no outlet " + quoted(spec.outlet));
            outlet->second.bind(vc, view);
        }
    };
    return controller;
}

const Storyboard* Storyboard::main() { return mainStoryboard().get(); }

void Storyboard::setMain(StoryboardDescription description) {
    mainStoryboard() = std::make_unique<Storyboard>(std::move(description));
}

void Storyboard::clearMain() { mainStoryboard().reset(); }

}  // namespace ui
