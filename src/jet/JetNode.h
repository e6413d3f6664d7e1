#pragma once
// The base of every node of the syntax tree and the bound tree: held by its owner's pointer,
// never copied, and read as the class its kind names.
namespace tarnwick {

struct JetNode {
  JetNode() = default;
  virtual ~JetNode() = default;
  JetNode(const JetNode&) = delete;
  JetNode& operator=(const JetNode&) = delete;

  // The node as the class of its kind; only for that class.
  template <typename Node>
  const Node& As() const {
    return static_cast<const Node&>(*this);
  }
  template <typename Node>
  Node& As() {
    return static_cast<Node&>(*this);
  }
};

}  // namespace tarnwick
