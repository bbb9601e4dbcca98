// The manifest of a SCORM 1.2 package (imsmanifest.xml): one organization
// with one item, the one-file page as its one shareable content object.
// What a platform needs of SCORM 1.2 (IMS Content Packaging 1.1.2 with ADL's
// extensions): the metadata's schema "ADL SCORM" at version "1.2", a default
// organization, an item that names its resource, and the resource as a
// "webcontent" SCO with its launch file and every file it holds.

const NS = {
  imscp: 'http://www.imsproject.org/xsd/imscp_rootv1p1p2',
  adlcp: 'http://www.adlnet.org/xsd/adlcp_rootv1p2',
};
export const SCORM_NAMESPACES = NS;

const xml = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');

/**
 * version: the site's version (in the manifest's identifier); title: what the
 * course shows; launch: the page's file; fragment: what the page opens with
 * ("lesson=KEY", "setup=..."; "" for the page as it starts), given both as the
 * launch address's fragment (the item's parameters) and as launch data
 * (cmi.launch_data), since platforms honour one or the other.
 */
export function scormManifest({ version, title, launch, fragment }) {
  const parameters = fragment ? ` parameters="#${xml(fragment)}"` : '';
  const data = fragment ? `\n        <adlcp:datafromlms>${xml(fragment)}</adlcp:datafromlms>` : '';
  return `<?xml version="1.0" encoding="UTF-8"?>
<manifest identifier="fermat-lens-${xml(version)}" version="1.0" xmlns="${NS.imscp}" xmlns:adlcp="${NS.adlcp}">
  <metadata>
    <schema>ADL SCORM</schema>
    <schemaversion>1.2</schemaversion>
  </metadata>
  <organizations default="fermat-lens-course">
    <organization identifier="fermat-lens-course">
      <title>${xml(title)}</title>
      <item identifier="fermat-lens-activity" identifierref="fermat-lens-page" isvisible="true"${parameters}>
        <title>${xml(title)}</title>${data}
      </item>
    </organization>
  </organizations>
  <resources>
    <resource identifier="fermat-lens-page" type="webcontent" adlcp:scormtype="sco" href="${xml(launch)}">
      <file href="${xml(launch)}"/>
    </resource>
  </resources>
</manifest>
`;
}
