// The class registry and the storyboard: scenes described in code.
//
// Classes are registered by name (view controllers, views, application
// delegates) with a factory; a controller class also declares its outlets,
// the view pointers a scene may connect. A StoryboardDescription lists the
// scenes: name, controller class, title, segues (identifier → destination
// scene), the views placed on the scene's root view (bound to outlets), and
// the reusable cell identifiers of its table views. Storyboard validates the
// description when it is made: an unknown class, destination, outlet or
// initial scene is a PreconditionError naming it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/errors.hpp"
#include "platform/gfx/color.hpp"
#include "platform/ui/layout.hpp"
#include "platform/ui/view.hpp"
#include "platform/ui/view_controller.hpp"

namespace ui {

class ApplicationDelegate;

using ViewControllerFactory = std::function<std::unique_ptr<ViewController>()>;
using ViewFactory = std::function<std::unique_ptr<View>()>;
using DelegateFactory = std::function<std::unique_ptr<ApplicationDelegate>()>;

/// Connects a view to a controller's outlet; throws PreconditionError when
/// the view is not of the outlet's class.
using OutletBinder = std::function<void(ViewController&, View*)>;

struct Outlet {
    OutletBinder bind;
    std::function<bool(View*)> accepts;  // whether a view is of the outlet's class
};

/// What the registry knows of one controller class.
struct ControllerClass {
    ViewControllerFactory make;
    std::map<std::string, Outlet, std::less<>> outlets;
};

/// Declares outlets on a registered controller class:
///   registerViewController<Count_VC>("Count_VC").outlet("linkFirst", &Count_VC::linkFirst);
template <class T>
class ControllerRegistration {
public:
    explicit ControllerRegistration(ControllerClass& entry, std::string name)
        : entry_(&entry), name_(std::move(name)) {}

    /// `member` is a pointer to a `V*` field of T (or of a base class of T);
    /// the outlet accepts views of class V.
    template <class V, class Owner>
    ControllerRegistration& outlet(std::string name, V* Owner::*member) {
        static_assert(std::is_base_of_v<Owner, T>, "the outlet is not a field of the registered class");
        std::string where = name_ + "." + name;
        Outlet entry;
        entry.bind = [member, where](ViewController& controller, View* view) {
            auto* owner = dynamic_cast<T*>(&controller);
            tl::require(owner != nullptr, "outlet " + where + " bound on another class");
            V* typed = dynamic_cast<V*>(view);
            tl::require(view == nullptr || typed != nullptr, "outlet " + where + " given a view of another class");
            owner->*member = typed;
        };
        entry.accepts = [](View* view) { return dynamic_cast<V*>(view) != nullptr; };
        entry_->outlets[std::move(name)] = std::move(entry);
        return *this;
    }

private:
    ControllerClass* entry_;
    std::string name_;
};

/// The process-wide class registry (registering a name again replaces it).
class ClassRegistry {
public:
    static ControllerClass& addViewController(std::string name, ViewControllerFactory make);
    static void addView(std::string name, ViewFactory make);
    static void addDelegate(std::string name, DelegateFactory make);

    /// nullptr when the name is unknown.
    static const ControllerClass* viewControllerClass(std::string_view name);
    static bool hasView(std::string_view name);
    static bool hasDelegate(std::string_view name);

    /// Make an instance; an unknown name is a PreconditionError naming it.
    static std::unique_ptr<ViewController> makeViewController(std::string_view name);
    static std::unique_ptr<View> makeView(std::string_view name);
    static std::unique_ptr<ApplicationDelegate> makeDelegate(std::string_view name);
};

template <class T>
ControllerRegistration<T> registerViewController(std::string name) {
    ControllerClass& entry = ClassRegistry::addViewController(name, [] { return std::make_unique<T>(); });
    return ControllerRegistration<T>(entry, std::move(name));
}

template <class T>
void registerView(std::string name) {
    ClassRegistry::addView(std::move(name), [] { return std::make_unique<T>(); });
}

template <class T>
void registerApplicationDelegate(std::string name) {
    ClassRegistry::addDelegate(std::move(name), [] { return std::make_unique<T>(); });
}

/// A view placed on a scene's root view. It fills the root view's safe
/// area less `margins` (a negative margin leaves that edge unconstrained).
/// Built-in classes: "View", "TableView"; others come from the registry.
struct SceneView {
    std::string className;
    std::string outlet;  // empty: not connected
    int tag = 0;
    double alpha = 1;
    bool hidden = false;
    gfx::Rgba background = gfx::palette::clear;
    LayoutGuide::Insets margins;
};

struct SceneDescription {
    std::string name;       // the scene's identifier
    std::string className;  // a registered view controller class
    std::string title;      // shown in the navigation bar
    std::map<std::string, std::string, std::less<>> segues;  // identifier → destination scene
    std::vector<SceneView> views;
    std::vector<std::string> cellIdentifiers;  // registered on the scene's table views
};

struct StoryboardDescription {
    std::vector<SceneDescription> scenes;
    std::string initialScene;
};

class Storyboard {
public:
    /// Validates `description` against the registry (PreconditionError on failure).
    explicit Storyboard(StoryboardDescription description);

    /// Makes a new controller for the scene `name`; its view, when loaded,
    /// gets the scene's views and outlets before viewDidLoad.
    std::unique_ptr<ViewController> instantiate(std::string_view name) const;
    std::unique_ptr<ViewController> instantiateInitial() const { return instantiate(description_.initialScene); }

    const SceneDescription* scene(std::string_view name) const;
    /// The destination scene of `identifier` from scene `from`, or nullptr.
    const SceneDescription* segueDestination(std::string_view from, std::string_view identifier) const;
    const StoryboardDescription& description() const { return description_; }

    /// The storyboard applicationMain loads (nullptr until one is set).
    static const Storyboard* main();
    static void setMain(StoryboardDescription description);
    static void clearMain();

private:
    StoryboardDescription description_;
};

}  // namespace ui
