// Send to Quillon: hands the current tab, a link, the selection or the highlighted tabs to
// Quillon through its native messaging host. Quillon writes the links and fills the
// clipboard; this only gathers what the page shows and says how it went on the badge.
"use strict";

const HOST = "org.quillon.quillon";
const api = globalThis.browser ?? globalThis.chrome;

const MENU = {
  link: "send-link",
  selection: "send-selection",
  tabs: "send-tabs",
  page: "send-page",
  templates: "templates",
  reload: "reload-templates",
};
// A template's entry is its name after this prefix.
const TEMPLATE_ENTRY = "template:";

function setBadge(ok, text) {
  api.action.setBadgeBackgroundColor({ color: ok ? "#1a7f37" : "#cf222e" });
  api.action.setBadgeText({ text: ok ? "\u2713" : "!" });
  api.action.setTitle({ title: "Send to Quillon: " + text });
  if (ok) {
    setTimeout(() => api.action.setBadgeText({ text: "" }), 2500);
  }
}

async function send(message) {
  let reply;
  try {
    reply = await api.runtime.sendNativeMessage(HOST, message);
  } catch (error) {
    const text = String(error && error.message ? error.message : error);
    console.error("Send to Quillon:", text);
    setBadge(false, text + " (is quillon-browser-host installed? Run quillon --install-browser-host)");
    return;
  }
  if (reply && reply.ok) {
    setBadge(true, reply.message || "done");
  } else {
    const text = (reply && reply.error) || "no reply from Quillon";
    console.error("Send to Quillon:", text);
    setBadge(false, text);
  }
}

function sendTab(tab) {
  if (!tab || !tab.url) {
    setBadge(false, "this tab has no address");
    return;
  }
  return send({ type: "tab", title: tab.title || "", url: tab.url });
}

async function currentTab() {
  const [tab] = await api.tabs.query({ active: true, currentWindow: true });
  return tab;
}

// Runs in the page: the text of the page's link to Url (a picture's alternative text when
// the link is a picture).
function pageLinkText(url) {
  for (const link of document.links) {
    if (link.href !== url) continue;
    const text = (link.innerText || link.textContent || "").trim();
    if (text) return text;
    const picture = link.querySelector("img[alt]");
    if (picture && picture.alt.trim()) return picture.alt.trim();
    if (link.title) return link.title.trim();
  }
  return "";
}

// Runs in the page: the selection as HTML whose links and pictures keep working elsewhere
// (their addresses made absolute), and as text.
function pageSelection() {
  const selection = getSelection();
  if (!selection || selection.rangeCount === 0 || selection.isCollapsed) return null;
  const box = document.createElement("div");
  for (let i = 0; i < selection.rangeCount; ++i) {
    box.appendChild(selection.getRangeAt(i).cloneContents());
  }
  for (const node of box.querySelectorAll("script, style, noscript")) node.remove();
  for (const link of box.querySelectorAll("a[href]")) link.setAttribute("href", link.href);
  for (const picture of box.querySelectorAll("img[src]")) picture.setAttribute("src", picture.src);
  return { html: box.innerHTML, text: selection.toString() };
}

async function inPage(tab, frameId, func, args) {
  try {
    const target = { tabId: tab.id };
    if (typeof frameId === "number") target.frameIds = [frameId];
    const [result] = await api.scripting.executeScript({ target, func, args });
    return result ? result.result : undefined;
  } catch (error) {
    // Pages the browser keeps to itself (its settings, its store) run no scripts.
    return undefined;
  }
}

function escapeHtml(text) {
  return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}

async function sendLink(info, tab) {
  let text = info.linkText || "";
  if (!text && tab) text = (await inPage(tab, info.frameId, pageLinkText, [info.linkUrl])) || "";
  if (!text) text = info.selectionText || "";
  return send({ type: "link", text, url: info.linkUrl });
}

async function sendSelection(info, tab) {
  let selection = tab ? await inPage(tab, info.frameId, pageSelection, []) : undefined;
  if (!selection) {
    const text = info.selectionText || "";
    selection = { html: escapeHtml(text), text };
  }
  return send({
    type: "selection",
    html: selection.html,
    text: selection.text,
    url: (tab && tab.url) || info.pageUrl || "",
    title: (tab && tab.title) || "",
  });
}

async function sendHighlightedTabs() {
  const tabs = await api.tabs.query({ highlighted: true, currentWindow: true });
  const links = tabs.filter((tab) => tab.url).map((tab) => ({ title: tab.title || "", url: tab.url }));
  if (links.length === 0) {
    setBadge(false, "no tab with an address");
    return;
  }
  return send({ type: "tabs", tabs: links });
}

// The user's link templates, as the host reads them from Quillon's templates.ini.
async function templateNames() {
  try {
    const reply = await api.runtime.sendNativeMessage(HOST, { type: "templates" });
    if (reply && reply.ok) {
      if (reply.errors && reply.errors.length) setBadge(false, reply.errors.join("; "));
      return reply.templates || [];
    }
  } catch (error) {
    // No host yet: the fixed entries still work, and say so when used.
  }
  return [];
}

const ALL = ["page", "link", "selection"];

function create(entry) {
  return new Promise((resolve) => api.contextMenus.create(entry, () => resolve(api.runtime.lastError)));
}

async function createMenus() {
  await new Promise((resolve) => api.contextMenus.removeAll(resolve));
  await create({ id: MENU.link, title: "Send link to Quillon", contexts: ["link"] });
  await create({ id: MENU.selection, title: "Send selection to Quillon", contexts: ["selection"] });
  await create({ id: MENU.page, title: "Send page to Quillon", contexts: ["page"] });
  await create({ id: MENU.tabs, title: "Send highlighted tabs to Quillon", contexts: ["page", "action"] });
  await create({ id: MENU.reload, title: "Reload Quillon's link templates", contexts: ["action"] });
  const names = await templateNames();
  if (names.length === 0) return;
  await create({ id: MENU.templates, title: "Send to Quillon as", contexts: ALL });
  for (const name of names) {
    await create({ id: TEMPLATE_ENTRY + name, parentId: MENU.templates, title: name, contexts: ALL });
  }
}

// A template's entry writes what was clicked: a link, the selection, or else the tab.
async function sendInTemplate(name, info, tab) {
  if (info.linkUrl) {
    const text = info.linkText || (tab && (await inPage(tab, info.frameId, pageLinkText, [info.linkUrl]))) || "";
    return send({ type: "link", text, url: info.linkUrl, template: name });
  }
  if (info.selectionText) {
    return send({
      type: "selection",
      html: "",
      text: info.selectionText,
      url: (tab && tab.url) || info.pageUrl || "",
      title: (tab && tab.title) || "",
      template: name,
    });
  }
  if (!tab || !tab.url) return setBadge(false, "this tab has no address");
  return send({ type: "tab", title: tab.title || "", url: tab.url, template: name });
}

api.runtime.onInstalled.addListener(createMenus);
api.runtime.onStartup.addListener(createMenus);

api.action.onClicked.addListener((tab) => sendTab(tab));

api.commands.onCommand.addListener(async (command, tab) => {
  if (command === "send-tab") sendTab(tab || (await currentTab()));
});

api.contextMenus.onClicked.addListener((info, tab) => {
  const id = String(info.menuItemId);
  if (id.startsWith(TEMPLATE_ENTRY)) return sendInTemplate(id.slice(TEMPLATE_ENTRY.length), info, tab);
  switch (info.menuItemId) {
    case MENU.link:
      return sendLink(info, tab);
    case MENU.selection:
      return sendSelection(info, tab);
    case MENU.page:
      return sendTab(tab);
    case MENU.tabs:
      return sendHighlightedTabs();
    case MENU.reload:
      return createMenus();
  }
});
